#include "MainThread.h"
#include "WorkQueue.h"

#include "EventLoop.h"

#include <gtest/gtest.h>

TEST(WorkQueue, ShutdownLetsTheRunningJobFinishAndDropsTheWaitingOnes)
{
    std::atomic<bool> started{false}, finished{false}, laterRan{false};
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

TEST(MainThread, CloseReleasesAWaitingWorkerWithoutRunningItsWork)
{
    MainThread mainThread;
    std::atomic<bool> ran{false};
    bool result = true;
    std::thread worker([&] { result = mainThread.call([&] { ran = true; }); });
    // The GUI thread does not spin here, so the work is still pending when the hand-off closes.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    mainThread.close();
    worker.join();
    spinFor(50);
    EXPECT_FALSE(result);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(mainThread.call([&] { ran = true; }));
    EXPECT_FALSE(ran);
}
