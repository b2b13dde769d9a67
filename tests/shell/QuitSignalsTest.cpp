#include "QuitSignals.h"

#include "EventLoop.h"

#include <gtest/gtest.h>

// Each signal arrives on the GUI thread as a note, and once the notes are no longer wanted the
// signal's previous handling is back.
TEST(QuitSignalsTest, EachSignalArrivesOnTheGuiThreadWhileWatched)
{
    for (const int signal : QuitSignals::handled) {
        SCOPED_TRACE(signal);
        struct sigaction before {}, after {};
        ::sigaction(signal, nullptr, &before);
        {
            QuitSignals watch;
            QList<int> received;
            QObject::connect(&watch, &QuitSignals::received, [&](int s) { received << s; });
            ::raise(signal);
            EXPECT_TRUE(spinUntil([&] { return !received.isEmpty(); }));
            EXPECT_EQ(received, QList{signal});
        }
        ::sigaction(signal, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler);
    }
}
