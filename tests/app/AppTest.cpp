#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

bool waitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return done();
}

// The real app, started as a desktop would start it, in a home folder of its own. Without a
// session runtime folder its socket for later launches lives in a private folder it makes in
// the temporary folder, here the home, apart from any other mpgfix.
class AppTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestMedia::makeClip(media.filePath("dvd.mpg"), TestMedia::conformingMpeg()));
        ASSERT_TRUE(TestMedia::makeClip(media.filePath("phone.mp4"), TestMedia::h264AacMono()));
    }

    void start(QProcess& app, const QStringList& files)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("TMPDIR", home.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_VIDEOS_DIR", "XDG_CONFIG_DIRS", "XDG_RUNTIME_DIR"})
            environment.remove(name);
        app.setProcessEnvironment(environment);
        app.setWorkingDirectory(media.path());
        app.start(MPGFIX_BINARY, files);
        ASSERT_TRUE(app.waitForStarted());
    }

    bool listening() const { return QFileInfo::exists(home.filePath("mpgfix-%1/mpgfix.socket").arg(::geteuid())); }
    QFileInfo output(const QString& name) const { return QFileInfo(home.filePath("Videos/" + name)); }

    TestMedia::TestFolder home;
    TestMedia::TestFolder media;
    QProcess first;
    QProcess second;
};

}

// Files named on the command line (relatively, as a shell in the clips' folder hands them
// over) and by a later launch are fixed in arrival order. Each signal to quit ends the app at
// once, as its menu would, with its socket gone.
TEST_F(AppTest, FilesOfEveryLaunchAreFixedInArrivalOrderUntilASignalEndsTheApp)
{
    start(first, {"phone.mp4"});
    ASSERT_TRUE(waitFor([&] { return listening(); }, 20000));
    start(second, {media.filePath("dvd.mpg")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(std::pair(second.exitStatus(), second.exitCode()), std::pair(QProcess::NormalExit, 0));

    ASSERT_TRUE(waitFor([&] { return output("dvd.mpg").exists(); }));
    EXPECT_EQ(output("dvd.mpg").size(), QFileInfo(media.filePath("dvd.mpg")).size());
    EXPECT_LE(output("phone.mpg").lastModified(), output("dvd.mpg").lastModified());
    const auto video = TestMedia::probeStream(output("phone.mpg").filePath(), "v:0").value_or(TestMedia::StreamFacts());
    EXPECT_EQ(QStringLiteral("%1 %2x%3").arg(video.codec).arg(video.width).arg(video.height), "mpeg2video 720x480");

    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        if (first.state() != QProcess::Running)
            start(first, {});
        ASSERT_TRUE(waitFor([&] { return listening(); }, 20000));
        ::kill(pid_t(first.processId()), signal);
        ASSERT_TRUE(first.waitForFinished(5000));
        EXPECT_EQ(std::pair(first.exitStatus(), first.exitCode()), std::pair(QProcess::NormalExit, 0));
        EXPECT_FALSE(listening());
    }
}
