#include "JobFixture.h"
#include "QueueKeeper.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <optional>

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

// While it lives, this thread meets file permissions as any user would, root or not.
struct PermissionsBind {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    PermissionsBind()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct bound[2] = {saved[0], saved[1]};
        bound[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, bound);
    }
    ~PermissionsBind() { syscall(SYS_capset, &header, saved); }
};

// What the last run left stays as it is until the queue changes, so that a crash before the
// restore question loses nothing; then the kept file follows the queue: files added, and a
// waiting one removed. A write that fails (a full disk, here a file size limit) leaves the last
// good file and nothing beside it, the window hears of it once, and the next change tries again.
// A file there that cannot be opened is reported at the start and never written over.
TEST(QueueKeeper, KeepsThePendingFilesAsTheQueueChangesAndTheLastGoodFileWhenAWriteFails)
{
    const QByteArray left = R"({"version": 1, "files": [{"path": "/in/z.mp4"}]})";
    enum class Fault { None, FullDisk, Unopenable };
    for (const Fault fault : {Fault::None, Fault::FullDisk, Fault::Unopenable}) {
        SCOPED_TRACE(int(fault));
        const TestMedia::TestFolder state;
        const QString path = state.filePath("mpgfix/queue.json");
        ASSERT_TRUE(QDir().mkpath(state.filePath("mpgfix")) && TestMedia::write(path, left));
        JobFixture f;
        f.queue.setPaused(true);
        std::optional<TestMedia::FileSizeLimit> fullDisk;
        std::optional<PermissionsBind> bound;
        if (fault == Fault::FullDisk)
            fullDisk.emplace(16);
        if (fault == Fault::Unopenable && QFile::setPermissions(path, {}))
            bound.emplace();
        EXPECT_EQ(QueueKeeper::restore(path).unopened, fault == Fault::Unopenable ? "Permission denied" : "");
        const QueueKeeper keeper(f.queue, path);
        QStringList notes;
        QObject::connect(&keeper, &QueueKeeper::saveFailed, [&](const QString& note) { notes << note; });
        f.queue.add({});
        EXPECT_EQ(TestMedia::readAll(path), fault == Fault::Unopenable ? "" : left);
        f.queue.add({"/in/a.mp4"});
        f.queue.add({"/in/b.mp4"});
        bound.reset();
        fullDisk.reset();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(TestMedia::readAll(path) == left, fault != Fault::None);
        EXPECT_EQ(QDir(state.filePath("mpgfix")).entryList(QDir::Files), QStringList{"queue.json"});
        f.queue.removeWaiting({f.queue.model().index(0)});
        const Pending kept{fault == Fault::Unopenable ? "/in/z.mp4" : "/in/b.mp4", ""};
        EXPECT_EQ(QueueKeeper::restore(path).files, std::vector<Pending>{kept});
        EXPECT_EQ(notes.size(), fault == Fault::FullDisk ? 1 : 0);
        EXPECT_TRUE(notes.isEmpty() || notes[0].contains("File too large")) << notes.join('\n').toStdString();
    }
}
