#include "JobFixture.h"
#include "WorkQueue.h"

#include "EventLoop.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clips shared by the tests: made once, never changed.
class FixJobTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        media = new TestMedia::TestFolder;
        TestMedia::ClipSpec aac = TestMedia::conformingMpeg(), audio44k = TestMedia::conformingMpeg();
        aac.audioCodec = "aac";
        audio44k.sampleRate = 44100;
        ASSERT_TRUE(TestMedia::makeClip(clip("clip.mpg"), TestMedia::conformingMpeg()));
        ASSERT_TRUE(TestMedia::makeClip(clip("aac.mkv"), aac));
        ASSERT_TRUE(TestMedia::makeClip(clip("44k.mpg"), audio44k));
        QFile notes(clip("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("milk, eggs, bread\n") > 0);
    }
    static void TearDownTestSuite() { delete media; }
    static QString clip(const QString& name) { return media->filePath(name); }

    void SetUp() override { f.settings.folder = out.path(); }

    // Runs the job on a worker, as the queue would, while this thread serves the window.
    QStringList fix(const QString& path) { return fix(f, path); }
    static QStringList fix(JobFixture& fixture, const QString& path)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            fixture.job.fixVideo(path);
            done = true;
        });
        EXPECT_TRUE(spinUntil([&] { return done.load(); }, 60000));
        worker.join();
        return fixture.display.events();
    }

    static inline TestMedia::TestFolder* media = nullptr;
    TestMedia::TestFolder out;
    JobFixture f;
};

}

TEST_F(FixJobTest, AConformingFileIsCopiedByteForByteIntoAFolderMadeForIt)
{
    f.settings.folder = out.filePath("new/nested");
    EXPECT_EQ(fix(clip("clip.mpg")), (QStringList{"analyzing clip.mpg", "copying clip.mpg", "full", "end"}));
    EXPECT_EQ(readAll(out.filePath("new/nested/clip.mpg")), readAll(clip("clip.mpg")));
}

TEST_F(FixJobTest, OnlyNonConformingStreamsAreReencodedAndAnOldOutputIsOverwritten)
{
    const struct {
        const char* input;
        bool force;
        bool videoKept;
    } cases[] = {{"clip.mpg", true, false}, {"aac.mkv", false, true}, {"44k.mpg", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const QString output = FixJob::outputPath(out.path(), clip(c.input));
        QFile old(output);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("older work") > 0);
        old.close();
        f.settings.forced = c.force;
        EXPECT_TRUE(fix(clip(c.input)).contains(QStringLiteral("transcoding %1").arg(c.input)));
        EXPECT_EQ(TestMedia::streamHash(output, "v:0") == TestMedia::streamHash(clip(c.input), "v:0"), c.videoKept);
        EXPECT_NE(TestMedia::streamHash(output, "a:0"), TestMedia::streamHash(clip(c.input), "a:0"));
        const auto video = TestMedia::probeStream(output, "v:0").value_or(TestMedia::StreamFacts());
        const auto audio = TestMedia::probeStream(output, "a:0").value_or(TestMedia::StreamFacts());
        EXPECT_EQ(video.codec + video.frameRate, "mpeg2video30000/1001");
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(audio.codec).arg(audio.sampleRate).arg(audio.channels), "mp2 48000 2");
    }
}

TEST_F(FixJobTest, EveryFailureShowsOneSheetAndLeavesFilesAlone)
{
    QFile(out.filePath("plain")).open(QIODevice::WriteOnly);
    QFile::copy(clip("clip.mpg"), out.filePath("clip.mpg"));
    QFile::link(out.path(), out.filePath("link"));
    const QByteArray existing = readAll(out.filePath("clip.mpg"));
    const struct {
        const char* what;
        QString input, folder;
        bool force;
        QString error;
        bool fullBar;
    } cases[] = {
        {"not a video", clip("notes.txt"), out.path(), false, "Not a recognized file format: notes.txt", false},
        {"copy onto an existing file", clip("clip.mpg"), out.path(), false, out.filePath("clip.mpg"), true},
        {"input is the output to copy", out.filePath("clip.mpg"), out.filePath("link/."), false, "clip.mpg", false},
        {"input is the output to transcode", out.filePath("clip.mpg"), out.filePath("link"), true, "clip.mpg", false},
        {"folder cannot be made", clip("clip.mpg"), out.filePath("plain/sub"), false, out.filePath("plain/sub"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        JobFixture fixture;
        fixture.settings.folder = c.folder;
        fixture.settings.forced = c.force;
        const QStringList events = fix(fixture, c.input);
        ASSERT_EQ(events.filter("error ").size(), 1) << events.join(" | ").toStdString();
        EXPECT_TRUE(events.filter("error ")[0].contains(c.error)) << events.join(" | ").toStdString();
        EXPECT_EQ(events.contains("full"), c.fullBar);
        EXPECT_EQ(events.last(), "end");
        EXPECT_EQ(readAll(out.filePath("clip.mpg")), existing);
        EXPECT_FALSE(QFile::exists(out.filePath("notes.mpg")));
    }
}

TEST_F(FixJobTest, OutputNamesLoseOnlyTheLastExtension)
{
    const char* cases[][2] = {{"/in/movie.avi", "/out/movie.mpg"}, {"/in/a.b.mov", "/out/a.b.mpg"},
                              {"/in/noextension", "/out/noextension.mpg"}, {"/in/.hidden", "/out/.hidden.mpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(FixJob::outputPath("/out", c[0]), c[1]);
}

namespace {

// The most encoder children of this process seen running at once.
class EncoderWatch {
public:
    EncoderWatch() : thread_([this] { watch(); }) {}
    ~EncoderWatch()
    {
        stop_ = true;
        thread_.join();
    }
    int most() const { return most_; }

private:
    void watch()
    {
        const QString parent = QString::number(::getpid());
        while (!stop_) {
            int running = 0;
            for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
                QFile stat("/proc/" + pid + "/stat");
                const QString line = stat.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(stat.readAll()) : "";
                running += line.contains("(ffmpeg)") && line.mid(line.lastIndexOf(')') + 2).section(' ', 1, 1) == parent;
            }
            most_ = std::max(most_.load(), running);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<int> most_{0};
    std::thread thread_;
};

}

TEST_F(FixJobTest, QueuedFilesWaitTheirTurnAlsoBehindAnErrorSheetAndReadSettingsWhenTheyRun)
{
    f.display.holdSheets = true;
    EncoderWatch encoders;
    WorkQueue queue;
    queue.async([&] { f.job.fixVideo(clip("notes.txt")); });
    ASSERT_TRUE(spinUntil([&] { return bool(f.display.held); }));
    queue.async([&] { f.job.fixVideo(clip("clip.mpg")); });
    queue.async([&] { f.job.fixVideo(clip("44k.mpg")); });
    f.settings.forced = true;
    spinFor(300);
    EXPECT_EQ(f.display.events().size(), 2);

    std::exchange(f.display.held, {})();
    ASSERT_TRUE(spinUntil([&] { return f.display.events().count("end") == 3; }, 60000));
    EXPECT_EQ(f.display.events().filter(QRegularExpression("^(analyzing|end|transcoding)")),
              (QStringList{"analyzing notes.txt", "end", "analyzing clip.mpg", "transcoding clip.mpg", "end",
                           "analyzing 44k.mpg", "transcoding 44k.mpg", "end"}));
    EXPECT_EQ(encoders.most(), 1);
}
