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
