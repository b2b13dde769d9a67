#include "MainThread.h"
#include "WorkQueue.h"

#include "EventLoop.h"

#include <gtest/gtest.h>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <mutex>
#include <vector>

TEST(WorkQueue, RunsJobsOneAtATimeInTheirOrder)
{
    std::mutex mutex;
    std::vector<int> order;
    std::atomic<int> running{0};
    std::atomic<int> mostRunning{0};
    {
        WorkQueue queue;
        for (int i = 0; i < 20; ++i) {
            queue.async([&, i] {
                mostRunning = std::max(mostRunning.load(), ++running);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                std::lock_guard lock(mutex);
                order.push_back(i);
                --running;
            });
        }
        ASSERT_TRUE(spinUntil([&] {
            std::lock_guard lock(mutex);
            return order.size() == 20;
        }));
    }
    std::vector<int> expected(20);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(mostRunning, 1);
}

TEST(WorkQueue, ShutdownLetsTheRunningJobFinishAndDropsTheWaitingOnes)
{
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> laterRan{false};
    {
        WorkQueue queue;
        queue.async([&] {
            started = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            finished = true;
        });
        queue.async([&] { laterRan = true; });
        ASSERT_TRUE(spinUntil([&] { return started.load(); }));
    }
    EXPECT_TRUE(finished);
    EXPECT_FALSE(laterRan);
}

TEST(MainThread, RunsWorkOnTheGuiThreadAndWaitsForIt)
{
    MainThread mainThread;
    QThread* ranOn = nullptr;
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        result = mainThread.call([&] { ranOn = QThread::currentThread(); });
        returned = true;
    });
    ASSERT_TRUE(spinUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
}

TEST(MainThread, CloseReleasesAWaitingWorkerWithoutRunningItsWork)
{
    MainThread mainThread;
    std::atomic<bool> ran{false};
    std::atomic<bool> returned{false};
    bool result = true;
    std::thread worker([&] {
        result = mainThread.call([&] { ran = true; });
        returned = true;
    });
    // The GUI thread does not spin here, so the work is still pending when the hand-off closes.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    mainThread.close();
    worker.join();
    spinFor(50);
    EXPECT_TRUE(returned);
    EXPECT_FALSE(result);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(mainThread.call([&] { ran = true; }));
    EXPECT_FALSE(ran);
}
