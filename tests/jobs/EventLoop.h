#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <functional>
#include <thread>

// Runs the GUI thread's event loop until `done` holds or `timeoutMs` passes; returns `done()`.
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

// Runs the event loop for `ms` milliseconds.
inline void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}
