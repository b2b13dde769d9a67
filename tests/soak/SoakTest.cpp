#include "JobFixture.h"
#include "TestMedia.h"
#include "WorkQueue.h"

#include <QDir>

#include <cstdio>

#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What this process holds: open descriptors, threads, child processes (zombies too), resident kB.
struct Holdings {
    long fds = 0, threads = 0, children = 0, rssKb = 0;

    static Holdings now()
    {
        Holdings h;
        h.fds = std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
        std::ifstream status("/proc/self/status");
        for (std::string key; status >> key;) {
            if (key == "Threads:")
                status >> h.threads;
            else if (key == "VmRSS:")
                status >> h.rssKb;
        }
        for (const auto& process : fs::directory_iterator("/proc")) {
            std::ifstream stat(process.path() / "stat");
            std::string pid, name, state;
            long parent = 0;
            // The name is in parentheses and holds no blank for the tools run here.
            if (stat >> pid >> name >> state >> parent && parent == ::getpid())
                ++h.children;
        }
        return h;
    }
};

// The one place the soak meets the queue: the files queued as one drop queues them, the window
// served until every job has ended.
void fixThroughTheQueue(WorkQueue& queue, JobFixture& f, const QStringList& inputs)
{
    const qsizetype ended = f.display.events().count("end") + inputs.size();
    for (const QString& input : inputs)
        queue.async([&f, input] { f.job.fixVideo(input); });
    ASSERT_TRUE(spinUntil([&] { return f.display.events().count("end") == ended; }, 600000));
}

// Copies, short transcodes, a picture passed through and a file that is no video (its sheet
// acknowledged at once), in turn, each under a name of its own.
TEST(Soak, ManyFilesLeaveNothingHeldAndEveryOutputRight)
{
    const int files = qEnvironmentVariableIntValue("MPGFIX_SOAK_FILES");
    ASSERT_GE(files, 21) << "set MPGFIX_SOAK_FILES";
    TestMedia::TestFolder media, out;
    TestMedia::ClipSpec aac = TestMedia::conformingMpeg(0.3), phone = TestMedia::h264AacMono(160, 120, 0.3);
    aac.audioCodec = "aac", phone.channels = 2;
    const QStringList kinds{"copy.mpg", "aac.mp4", "phone.mp4", "notes.txt"};
    ASSERT_TRUE(TestMedia::makeClip(media.filePath(kinds[0]), TestMedia::conformingMpeg(0.3)) &&
                TestMedia::makeClip(media.filePath(kinds[1]), aac) && TestMedia::makeClip(media.filePath(kinds[2]), phone) &&
                TestMedia::write(media.filePath(kinds[3]), "milk, eggs\n"));
    QStringList inputs;
    for (int i = 0; i < files; ++i) {
        inputs << media.filePath(QStringLiteral("%1-%2").arg(i).arg(kinds[i % 4]));
        ASSERT_TRUE(QFile::link(media.filePath(kinds[i % 4]), inputs.last()));
    }

    JobFixture f;
    f.settings.folder = out.path();
    const Holdings start = Holdings::now();
    std::optional<WorkQueue> queue(std::in_place);
    fixThroughTheQueue(*queue, f, inputs.mid(0, 20));
    const long warmRssKb = Holdings::now().rssKb;
    fixThroughTheQueue(*queue, f, inputs.mid(20));
    queue.reset();
    const Holdings end = Holdings::now();
    printf("soak files=%d fd_delta=%ld children=%ld rss_growth_kb=%ld\n", files, end.fds - start.fds, end.children,
           end.rssKb - warmRssKb);
    EXPECT_TRUE(end.fds == start.fds && end.children == 0 && end.threads == start.threads) << end.threads;
    EXPECT_LT(end.rssKb - warmRssKb, 5 * 1024);

    const QStringList events = f.display.events();
    EXPECT_EQ(events.filter("error ").size(), (files + 3) / 4);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), files - (files + 3) / 4);
    for (int i = 0; i < files; ++i) {
        SCOPED_TRACE(inputs[i].toStdString());
        const QString output = FixJob::outputPath(out.path(), inputs[i]);
        if (i % 4 == 0)
            EXPECT_EQ(TestMedia::readAll(output), TestMedia::readAll(media.filePath(kinds[0])));
        else if (i % 4 == 3)
            EXPECT_TRUE(events.contains("error Not a recognized file format: " + QFileInfo(inputs[i]).fileName()));
        else
            EXPECT_EQ(TestMedia::streamFacts(output, "v:0") + TestMedia::streamFacts(output, "a:0"),
                      "mpeg2video,720,480,30000/1001,mp2,48000,2,0/0");
    }
}

} // namespace
