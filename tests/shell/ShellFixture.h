#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The store as a second reader sees it.
inline QSettings userStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("mpgfix"),
                     QStringLiteral("mpgfix"));
}

inline QString videosFolder() { return QDir::homePath() + QStringLiteral("/Videos"); }

// Runs the GUI thread's event loop until `done` holds or `timeoutMs` passes; returns `done()`.
// The loop sleeps until woken, as the app's does, so work posted by a worker wakes it; between
// slices, widgets that closed themselves are deleted.
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QEventLoop slice;
        QTimer::singleShot(20, &slice, &QEventLoop::quit);
        slice.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

inline void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

// Every test starts with an empty store, as on a first launch.
class EmptyStore : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings store = userStore();
        store.clear();
        store.sync();
    }
};
