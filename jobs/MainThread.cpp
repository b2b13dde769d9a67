#include "MainThread.h"

#include <QThread>

#include <algorithm>

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

    Pending pending{work};
    std::unique_lock lock(mutex_);
    if (closed_)
        return false;
    pending_.push_back(&pending);
    QMetaObject::invokeMethod(this, &MainThread::runPending, Qt::QueuedConnection);
    // Work that has started runs to its end before the caller's stack may go.
    finished_.wait(lock, [&] { return pending.done || (closed_ && !pending.running); });
    std::erase(pending_, &pending);
    return pending.done;
}

void MainThread::runPending()
{
    for (;;) {
        Pending* pending = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (closed_ || pending_.empty())
                return;
            pending = pending_.front();
            pending_.pop_front();
            pending->running = true;
        }
        pending->work();
        {
            std::lock_guard lock(mutex_);
            pending->running = false;
            pending->done = true;
        }
        finished_.notify_all();
    }
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
