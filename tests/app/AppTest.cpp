#include "QueueKeeper.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtCore/qtestsupport_core.h>

#include <csignal>
#include <unistd.h>

namespace {

// The real app, started as a desktop would start it, in a home folder of its own. Without a
// session runtime folder its socket for later launches lives in a private folder it makes in
// the temporary folder, here the home, apart from any other mpgfix.
void start(QProcess& app, const QString& home, const QString& workingFolder, const QStringList& files)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_VIDEOS_DIR", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR",
                             "XDG_STATE_HOME"})
        environment.remove(name);
    environment.insert("HOME", home);
    environment.insert("TMPDIR", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    app.setProcessEnvironment(environment);
    app.setWorkingDirectory(workingFolder);
    app.start(MPGFIX_BINARY, files);
    ASSERT_TRUE(app.waitForStarted());
}

// The child that `parent` runs, its ffmpeg; empty while there is none.
QString encoderOf(qint64 parent) { return TestMedia::childrenOf(parent).value(0); }

// Gone, or dead and waiting for whoever adopted it to reap it: either way, no command line.
bool ended(const QString& pid) { return TestMedia::readAll("/proc/" + pid + "/cmdline").isEmpty(); }

}

// Files named on the command line (relatively, as a shell in the clips' folder hands them
// over) and by a later launch are fixed in arrival order. A signal to quit in the middle of a
// transcode ends its ffmpeg and the app at once, with nothing left behind; when the app is
// killed outright, its ffmpeg dies with it.
TEST(AppTest, FilesOfEveryLaunchAreFixedInArrivalOrderUntilASignalEndsTheApp)
{
    const TestMedia::TestFolder home, media;
    ASSERT_TRUE(TestMedia::makeClip(media.filePath("dvd.mpg"), TestMedia::conformingMpeg()));
    ASSERT_TRUE(TestMedia::makeClip(media.filePath("phone.mp4"), TestMedia::h264AacMono()));
    ASSERT_TRUE(TestMedia::makeClip(media.filePath("long.mp4"), TestMedia::h264AacMono(160, 120, 60.0)));
    const QString socket = home.filePath("mpgfix-%1.d/mpgfix.socket").arg(::geteuid());
    const auto listening = [&] { return QFileInfo::exists(socket); };
    const auto output = [&](const QString& name) { return QFileInfo(home.filePath("Videos/" + name)); };

    QProcess first, second;
    start(first, home.path(), media.path(), {"phone.mp4"});
    ASSERT_TRUE(QTest::qWaitFor(listening, 20000));
    start(second, home.path(), media.path(), {media.filePath("dvd.mpg")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(std::pair(second.exitStatus(), second.exitCode()), std::pair(QProcess::NormalExit, 0));

    ASSERT_TRUE(QTest::qWaitFor([&] { return output("dvd.mpg").exists(); }, 60000));
    EXPECT_EQ(output("dvd.mpg").size(), QFileInfo(media.filePath("dvd.mpg")).size());
    EXPECT_LE(output("phone.mpg").lastModified(), output("dvd.mpg").lastModified());
    EXPECT_TRUE(TestMedia::streamFacts(output("phone.mpg").filePath(), "v:0").startsWith("mpeg2video,720,480,"));

    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(5000));
    const QString kept = home.filePath(".local/state/mpgfix/queue.json");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(signal);
        // Each start is a first one: a queue kept from the one before would be offered first.
        QFile::remove(kept);
        start(first, home.path(), media.path(), {"long.mp4", "dvd.mpg"});
        QString encoder;
        // The transcode's ffmpeg, once its output has been named in the kept queue.
        ASSERT_TRUE(QTest::qWaitFor([&] { return TestMedia::readAll(kept).contains("temporaryOutput"); }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !(encoder = encoderOf(first.processId())).isEmpty(); }, 20000));
        ::kill(pid_t(first.processId()), signal);
        ASSERT_TRUE(first.waitForFinished(5000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended(encoder); }, 5000));
        // However it ended, its queue is kept: the file it was fixing with the hidden output it
        // was writing, then the one waiting.
        const QueueKeeper::Restored restored = QueueKeeper::restore(kept);
        EXPECT_TRUE(restored.files.size() == 2 && restored.files[0].path == media.filePath("long.mp4") &&
                    restored.files[1] == (JobQueue::Pending{media.filePath("dvd.mpg"), {}}) &&
                    QFileInfo(restored.files[0].temporaryOutput).fileName().startsWith(".long.mpgfix-"));
        if (signal != SIGKILL) {
            EXPECT_EQ(std::pair(first.exitStatus(), first.exitCode()), std::pair(QProcess::NormalExit, 0));
            EXPECT_FALSE(listening());
            EXPECT_EQ(QDir(home.filePath("Videos")).entryList(QDir::Files | QDir::Hidden),
                      (QStringList{"dvd.mpg", "phone.mpg"}));
        }
    }
}
