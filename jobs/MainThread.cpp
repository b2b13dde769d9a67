#include "MainThread.h"

#include <QThread>

#include <memory>

MainThread::MainThread(QObject* parent) : QObject(parent) {}

MainThread::~MainThread() { close(); }

bool MainThread::call(const std::function<void()>& work)
{
    if (QThread::currentThread() == thread()) {
        if (isClosed())
            return false;
        work();
        return true;
    }

    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
    }
    // `work` is only touched while the caller still waits: after close() the event skips it.
    QMetaObject::invokeMethod(
        this,
        [this, done, &work] {
            if (isClosed())
                return;
            work();
            {
                std::lock_guard lock(mutex_);
                *done = true;
            }
            finished_.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return *done || closed_; });
    return *done;
}

void MainThread::close()
{
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    finished_.notify_all();
}

bool MainThread::isClosed() const
{
    std::lock_guard lock(mutex_);
    return closed_;
}
