#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool waitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return done();
}

// The real app, started as a desktop would start it, in a home folder of its own. Its socket
// for later launches lives in that home's runtime folder, apart from any other mpgfix.
class AppTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home.filePath("tmp")));
        ASSERT_TRUE(QDir().mkpath(home.filePath("runtime")));
        QFile::setPermissions(home.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(TestMedia::makeClip(media.filePath("dvd.mpg"), TestMedia::conformingMpeg()));
        ASSERT_TRUE(TestMedia::makeClip(media.filePath("phone.mp4"), TestMedia::h264AacMono()));
    }

    void TearDown() override
    {
        for (QProcess* app : {&first, &second}) {
            app->kill();
            app->waitForFinished();
        }
    }

    void start(QProcess& app, const QStringList& files)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("TMPDIR", home.filePath("tmp"));
        environment.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_VIDEOS_DIR", "XDG_CONFIG_DIRS"})
            environment.remove(name);
        app.setProcessEnvironment(environment);
        app.setWorkingDirectory(media.path());
        app.start(MPGFIX_BINARY, files);
        ASSERT_TRUE(app.waitForStarted());
    }

    bool listening() const { return QFileInfo::exists(home.filePath("runtime/mpgfix.socket")); }
    QString output(const QString& name) const { return home.filePath("Videos/" + name); }

    TestMedia::TestFolder home;
    TestMedia::TestFolder media;
    QProcess first;
    QProcess second;
};

}

TEST_F(AppTest, CommandLineFilesAndALaterLaunchsFilesAreFixedInArrivalOrder)
{
    // A relative name, as a shell in the clips' folder hands it over.
    start(first, {"phone.mp4"});
    ASSERT_TRUE(waitFor([&] { return listening(); }, 20000));
    start(second, {media.filePath("dvd.mpg")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(output("dvd.mpg")); }));
    EXPECT_EQ(readAll(output("dvd.mpg")), readAll(media.filePath("dvd.mpg")));
    EXPECT_LE(QFileInfo(output("phone.mpg")).lastModified(), QFileInfo(output("dvd.mpg")).lastModified());
    const auto video = TestMedia::probeStream(output("phone.mpg"), "v:0").value_or(TestMedia::StreamFacts());
    EXPECT_EQ(QStringLiteral("%1 %2x%3").arg(video.codec).arg(video.width).arg(video.height), "mpeg2video 720x480");
    EXPECT_EQ(TestMedia::probeStream(output("phone.mpg"), "a:0").value_or(TestMedia::StreamFacts()).channels, 1);
    EXPECT_EQ(first.state(), QProcess::Running);
}

// A signal to quit ends the app as if by its menu: at once, with its socket gone.
TEST_F(AppTest, QuitSignalsEndTheAppCleanly)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        start(first, {});
        ASSERT_TRUE(waitFor([&] { return listening(); }, 20000));
        ::kill(pid_t(first.processId()), signal);
        ASSERT_TRUE(first.waitForFinished(5000));
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.exitCode(), 0);
        EXPECT_FALSE(listening());
    }
}
