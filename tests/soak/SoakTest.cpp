#include "JobFixture.h"
#include "TestMedia.h"

#include <QDir>
#include <QRegularExpression>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

// What this process holds: open descriptors, threads, children (zombies too), resident kB.
struct Holdings {
    long fds, threads, children, rssKb;
    static long status(const char* field)
    {
        const QString status = TestMedia::readAll("/proc/self/status");
        return QRegularExpression(QString(field) + ":\\s+(\\d+)").match(status).captured(1).toLong();
    }
    static Holdings now()
    {
        namespace fs = std::filesystem;
        return {std::distance(fs::directory_iterator("/proc/self/fd"), {}), status("Threads"),
                TestMedia::childrenOf(::getpid()).size(), status("VmRSS")};
    }
};

// Copies, short transcodes, pictures passed through and files that are no video (their sheets
// acknowledged at once), in turn, each under a name of its own, through one queue.
TEST(Soak, ManyFilesLeaveNothingHeldAndAnOutputEach)
{
    const int files = qEnvironmentVariableIntValue("MPGFIX_SOAK_FILES"), bad = (files + 1) / 4;
    ASSERT_GE(files, 21) << "set MPGFIX_SOAK_FILES";
    TestMedia::TestFolder media, out;
    TestMedia::ClipSpec aac = TestMedia::conformingMpeg(0.3), phone = TestMedia::h264AacMono(160, 120, 0.3);
    aac.audioCodec = "aac", phone.channels = 2;
    const QStringList kinds{"copy.mpg", "aac.mp4", "phone.mp4", "notes.txt"};
    ASSERT_TRUE(TestMedia::makeClip(media.filePath(kinds[0]), TestMedia::conformingMpeg(0.3)) &&
                TestMedia::makeClip(media.filePath(kinds[1]), aac) &&
                TestMedia::makeClip(media.filePath(kinds[2]), phone) &&
                TestMedia::write(media.filePath(kinds[3]), "milk, eggs\n"));
    QStringList inputs;
    for (int i = 0; i < files; ++i) {
        inputs << media.filePath(QString("%1-%2").arg(i).arg(kinds[i % 4]));
        ASSERT_TRUE(QFile::link(media.filePath(kinds[i % 4]), inputs.last()));
    }

    JobFixture f;
    f.settings.folder = out.path();
    const Holdings start = Holdings::now();
    f.fix(inputs.mid(0, 20), 600000);
    const long warmRssKb = Holdings::status("VmRSS");
    f.fix(inputs.mid(20), 600000);
    const Holdings end = Holdings::now();
    const long growthKb = end.rssKb - warmRssKb;
    printf("soak files=%d fd_delta=%ld children=%ld rss_growth_kb=%ld\n",
           files, end.fds - start.fds, end.children, growthKb);
    EXPECT_TRUE(end.fds == start.fds && end.children == 0 && end.threads == start.threads && growthKb < 5 * 1024);

    EXPECT_EQ(f.events.filter("error Not a recognized file format: ").size(), bad);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), files - bad);
}
