#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// A serial work queue: one worker thread runs the jobs one after another, first in, first out.
class WorkQueue {
public:
    WorkQueue();
    // Drops the jobs still waiting, lets the running one finish and joins the worker.
    ~WorkQueue();

    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    // Queues `job` and returns at once.
    void async(std::function<void()> job);

private:
    void runJobs();

    std::mutex mutex_;
    std::condition_variable jobQueued_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread worker_;
};
