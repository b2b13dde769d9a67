#pragma once

#include "AppDelegate.h"
#include "MainWindow.h"
#include "WQDragView.h"

#include "EventLoop.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// The store as a second reader sees it, and its file as it is on disk now.
inline QSettings userStore() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix"); }

inline QByteArray storedText()
{
    QFile file(QDir::homePath() + "/.config/mpgfix/mpgfix.conf");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The controller with its intake recorded instead of queued.
struct RecordingAppDelegate : AppDelegate {
    using AppDelegate::AppDelegate;
    void openFiles(const QStringList& paths) override { handedOver << paths; }
    QList<QStringList> handedOver;
};

// A launched window, idle, on an empty store as on a first launch.
class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        userStore().clear();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        appDelegate->applicationDidFinishLaunching();
        idleFrame = window.geometry();
    }

    MainWindow window;
    std::unique_ptr<RecordingAppDelegate> appDelegate = std::make_unique<RecordingAppDelegate>(window);
    QRect idleFrame;
};
