#include "WorkQueue.h"

WorkQueue::WorkQueue() : worker_([this] { runJobs(); }) {}

WorkQueue::~WorkQueue()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    jobQueued_.notify_all();
    worker_.join();
}

void WorkQueue::async(std::function<void()> job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    jobQueued_.notify_one();
}

void WorkQueue::runJobs()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            jobQueued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}
