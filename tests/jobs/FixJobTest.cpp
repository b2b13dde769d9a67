#include "JobFixture.h"
#include "WorkQueue.h"

#include "EventLoop.h"
#include "TestPrinters.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QRegularExpression>

#include <thread>
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
        media = new QTemporaryDir;
        TestMedia::ClipSpec aac = TestMedia::conformingMpeg();
        aac.audioCodec = "aac";
        TestMedia::ClipSpec audio44k = TestMedia::conformingMpeg();
        audio44k.sampleRate = 44100;
        ASSERT_TRUE(TestMedia::makeClip(clip("clip.mpg"), TestMedia::conformingMpeg()));
        ASSERT_TRUE(TestMedia::makeClip(clip("aac.mkv"), aac));
        ASSERT_TRUE(TestMedia::makeClip(clip("44k.mpg"), audio44k));
        QFile notes(clip("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("Shopping list: milk, eggs, bread.\n");
    }
    static void TearDownTestSuite() { delete media; }
    static QString clip(const QString& name) { return media->filePath(name); }

    void SetUp() override { f.settings.setPath(out.path()); }

    // Runs the job on a worker, as the queue would, while this thread serves the window.
    void fix(const QString& path) { fix(f, path); }
    static void fix(JobFixture& fixture, const QString& path)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            fixture.job.fixVideo(path);
            done = true;
        });
        const bool finished = spinUntil([&] { return done.load(); }, 60000);
        worker.join();
        ASSERT_TRUE(finished);
    }

    static inline QTemporaryDir* media = nullptr;
    QTemporaryDir out;
    JobFixture f;
};

}

TEST_F(FixJobTest, ConformingFileIsCopiedByteForByte)
{
    fix(clip("clip.mpg"));
    EXPECT_EQ(f.display.events(), (QStringList{"analyzing clip.mpg", "copying clip.mpg", "full", "end"}));
    EXPECT_EQ(readAll(out.filePath("clip.mpg")), readAll(clip("clip.mpg")));
}

TEST_F(FixJobTest, ForceReencodesBothStreams)
{
    f.settings.setForce(true);
    fix(clip("clip.mpg"));
    EXPECT_EQ(f.display.events(),
              (QStringList{"analyzing clip.mpg", "transcoding clip.mpg", "progress", "full", "end"}));
    const QString output = out.filePath("clip.mpg");
    EXPECT_NE(TestMedia::streamHash(output, "v:0"), TestMedia::streamHash(clip("clip.mpg"), "v:0"));
    EXPECT_NE(TestMedia::streamHash(output, "a:0"), TestMedia::streamHash(clip("clip.mpg"), "a:0"));
    EXPECT_EQ(TestMedia::probeStream(output, "v:0").value_or(TestMedia::StreamFacts()).codec, "mpeg2video");
    EXPECT_EQ(TestMedia::probeStream(output, "a:0").value_or(TestMedia::StreamFacts()).codec, "mp2");
}

TEST_F(FixJobTest, ConformingVideoIsKeptWhileOtherAudioIsReencoded)
{
    for (const char* name : {"aac.mkv", "44k.mpg"}) {
        SCOPED_TRACE(name);
        fix(clip(name));
        const QString output = FixJob::outputPath(out.path(), clip(name));
        EXPECT_EQ(TestMedia::streamHash(output, "v:0"), TestMedia::streamHash(clip(name), "v:0"));
        const auto audio = TestMedia::probeStream(output, "a:0").value_or(TestMedia::StreamFacts());
        EXPECT_EQ(audio.codec, "mp2");
        EXPECT_EQ(audio.sampleRate, 48000);
        EXPECT_EQ(audio.channels, 2);
    }
}

TEST_F(FixJobTest, AFileThatIsNoVideoGivesOneErrorAndNoOutput)
{
    fix(clip("notes.txt"));
    EXPECT_EQ(f.display.events(),
              (QStringList{"analyzing notes.txt", "error Not a recognized file format: notes.txt", "end"}));
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

TEST_F(FixJobTest, CopyOntoAnExistingFileFailsAndLeavesItWhileATranscodeOverwrites)
{
    const QString existing = out.filePath("clip.mpg");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("older work");
    file.close();

    fix(clip("clip.mpg"));
    EXPECT_EQ(f.display.count("full"), 1);
    ASSERT_EQ(f.display.events().filter("error ").size(), 1);
    EXPECT_EQ(readAll(existing), "older work");
    EXPECT_FALSE(f.handshake.dialogDone);

    f.settings.setForce(true);
    fix(clip("clip.mpg"));
    EXPECT_EQ(f.display.events().filter("error ").size(), 1);
    EXPECT_EQ(TestMedia::probeStream(existing, "v:0").value_or(TestMedia::StreamFacts()).codec, "mpeg2video");
}

TEST_F(FixJobTest, OutputNamesTakeOffOnlyTheLastExtension)
{
    const struct {
        const char* input;
        const char* output;
    } cases[] = {
        {"/data/in/movie.avi", "/data/out/movie.mpg"},
        {"/data/in/a.b.mov", "/data/out/a.b.mpg"},
        {"/data/in/noextension", "/data/out/noextension.mpg"},
        {"/data/in/.hidden", "/data/out/.hidden.mpg"},
        {"/data/in/clip one.MP4", "/data/out/clip one.mpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixJob::outputPath("/data/out", c.input), c.output) << c.input;
}

TEST_F(FixJobTest, TheInputIsNeverTheOutput)
{
    // The input sits in the destination folder under its output name, reached by another spelling.
    const QString input = out.filePath("clip.mpg");
    ASSERT_TRUE(QFile::copy(clip("clip.mpg"), input));
    const QString link = out.filePath("link");
    ASSERT_TRUE(QFile::link(out.path(), link));
    const QByteArray before = readAll(input);

    for (bool force : {false, true}) {
        SCOPED_TRACE(force ? "transcode" : "copy");
        JobFixture fixture;
        fixture.settings.setPath(link + "/.");
        fixture.settings.setForce(force);
        fix(fixture, input);
        const QStringList events = fixture.display.events();
        ASSERT_EQ(events.filter("error ").size(), 1);
        EXPECT_TRUE(events.filter("error ")[0].contains("clip.mpg"));
        EXPECT_EQ(events.last(), "end");
        EXPECT_EQ(events.count("full"), 0);
        EXPECT_EQ(readAll(input), before);
    }
}

TEST_F(FixJobTest, AMissingDestinationFolderIsMadeAndOneThatCannotBeIsReported)
{
    f.settings.setPath(out.filePath("new/nested"));
    fix(clip("clip.mpg"));
    EXPECT_EQ(readAll(out.filePath("new/nested/clip.mpg")), readAll(clip("clip.mpg")));

    QFile plain(out.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    JobFixture fixture;
    fixture.settings.setPath(out.filePath("plain/sub"));
    fix(fixture, clip("clip.mpg"));
    const QStringList events = fixture.display.events();
    ASSERT_EQ(events.filter("error ").size(), 1);
    EXPECT_TRUE(events.filter("error ")[0].contains(out.filePath("plain/sub")));
    EXPECT_EQ(events.last(), "end");
}

namespace {

// Counts this process's running encoder children, and remembers the most seen at once.
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
                if (!stat.open(QIODevice::ReadOnly))
                    continue;
                const QString line = QString::fromLocal8Bit(stat.readAll());
                const QStringList rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
                running += line.contains("(ffmpeg)") && rest.value(1) == parent;
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

TEST_F(FixJobTest, QueuedFilesWaitTheirTurnAlsoBehindAnErrorSheet)
{
    f.settings.setForce(true);
    f.display.holdSheets = true;
    EncoderWatch encoders;
    WorkQueue queue;
    queue.async([&] { f.job.fixVideo(clip("notes.txt")); });
    ASSERT_TRUE(spinUntil([&] { return f.display.sheetUp(); }));
    queue.async([&] { f.job.fixVideo(clip("clip.mpg")); });
    queue.async([&] { f.job.fixVideo(clip("44k.mpg")); });
    spinFor(300);
    EXPECT_EQ(f.display.events().size(), 2);

    f.display.dismissSheet();
    ASSERT_TRUE(spinUntil([&] { return f.display.count("end") == 3; }, 60000));
    const QStringList stages = f.display.events().filter(QRegularExpression("^(analyzing|end)"));
    EXPECT_EQ(stages, (QStringList{"analyzing notes.txt", "end", "analyzing clip.mpg", "end",
                                   "analyzing 44k.mpg", "end"}));
    EXPECT_EQ(encoders.most(), 1);
}

TEST_F(FixJobTest, PreferencesCountWhenTheJobRunsNotWhenItWasQueued)
{
    std::atomic<bool> open{false};
    WorkQueue queue;
    queue.async([&] {
        while (!open)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    queue.async([&] { f.job.fixVideo(clip("clip.mpg")); });
    f.settings.setForce(true);
    open = true;
    ASSERT_TRUE(spinUntil([&] { return f.display.count("end") == 1; }, 60000));
    EXPECT_TRUE(f.display.events().contains("transcoding clip.mpg"));
}
