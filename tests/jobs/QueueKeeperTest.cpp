#include "JobFixture.h"
#include "QueueKeeper.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>

using Pending = JobQueue::Pending;

// What a start finds: a good file, one a newer version wrote, one cut off mid-write by something
// other than this app. What cannot be trusted is set aside whole under another name.
TEST(QueueKeeper, RestoresWhatItKeptAndSetsAsideWhatItCannotTrust)
{
    const QString hidden = "/out/.a.mpgfix-abcdefgh.mpg";
    const struct { const char* what; QByteArray kept; std::vector<Pending> files; bool setAside; } cases[] = {
        {"good", R"({"version": 1, "files": [{"path": "/in/a.mp4", "temporaryOutput": "/out/.a.mpgfix-abcdefgh.mpg"},
                    {"path": "/in/b.mp4"}]})", {{"/in/a.mp4", hidden}, {"/in/b.mp4", ""}}, false},
        {"newer", R"({"version": 2, "files": [{"path": "/in/a.mp4"}]})", {}, true},
        {"garbage", R"({"version": 1, "files": [{"path": "/in/a.m)", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TestMedia::TestFolder state;
        const QString path = state.filePath("queue.json");
        ASSERT_TRUE(TestMedia::write(path, c.kept));
        const QueueKeeper::Restored restored = QueueKeeper::restore(path);
        EXPECT_EQ(restored.files, c.files);
        EXPECT_EQ(!restored.setAsideAs.isEmpty(), c.setAside);
        EXPECT_EQ(QFileInfo::exists(path), !c.setAside);
        EXPECT_TRUE(!c.setAside || TestMedia::readAll(restored.setAsideAs) == c.kept);
    }
}

// What the last run left stays as it is until the queue changes, so that a crash before the
// restore question loses nothing; then the kept file follows the queue: files added, and a
// waiting one removed.
TEST(QueueKeeper, KeepsThePendingFilesAsTheQueueChanges)
{
    const TestMedia::TestFolder state;
    const QString path = state.filePath("mpgfix/queue.json");
    const QByteArray left = R"({"version": 1, "files": [{"path": "/in/z.mp4"}]})";
    ASSERT_TRUE(QDir().mkpath(state.filePath("mpgfix")) && TestMedia::write(path, left));
    JobFixture f;
    f.queue.setPaused(true);
    const QueueKeeper keeper(f.queue, path);
    f.queue.add({});
    EXPECT_EQ(TestMedia::readAll(path), left);
    f.queue.add({"/in/a.mp4", "/in/b.mp4"});
    EXPECT_EQ(QueueKeeper::restore(path).files, (std::vector<Pending>{{"/in/a.mp4", ""}, {"/in/b.mp4", ""}}));
    f.queue.removeWaiting({f.queue.model().index(0)});
    EXPECT_EQ(QueueKeeper::restore(path).files, (std::vector<Pending>{{"/in/b.mp4", ""}}));
}
