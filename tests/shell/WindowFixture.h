#pragma once

#include "AppDelegate.h"
#include "MainWindow.h"
#include "ShellFixture.h"

#include <QAbstractAnimation>
#include <QTest>

#include <memory>

// A launched window, idle, on an empty store.
class LaunchedWindow : public EmptyStore {
protected:
    void SetUp() override
    {
        EmptyStore::SetUp();
        window = std::make_unique<MainWindow>();
        appDelegate = std::make_unique<AppDelegate>(*window);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        appDelegate->applicationDidFinishLaunching();
        idleFrame = window->geometry();
    }

    // Waits for the window's frame change to end, and tells whether it ended at `frame`.
    bool settlesAt(const QRect& frame)
    {
        const auto* frameChange = appDelegate->findChild<QAbstractAnimation*>();
        spinUntil([&] { return frameChange->state() == QAbstractAnimation::Stopped; });
        return spinUntil([&] { return window->geometry() == frame; }, 1000);
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<AppDelegate> appDelegate;
    QRect idleFrame;
};
