#include "FfmpegErrors.h"
#include "TestMedia.h"
#include "TestPrinters.h"
#include "ToolLocator.h"
#include "ToolProcess.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <vector>

// The runner against fake tools: small shell scripts written for each test.
namespace {

using TestPrinters::PrintTo;

using Clock = std::chrono::steady_clock;
using TestMedia::TestFolder;

QString writeTool(const TestFolder& folder, const QString& name, const QByteArray& body)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when this process has no child left, running or unreaped.
bool noChildLeft()
{
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

struct Reports {
    explicit Reports(VideoProcessor& record)
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    std::vector<double> progress;
    std::vector<EngineError> errors;
};

TEST(ToolRunner, DeliversProgressLinesWhileTheToolIsStillRunning)
{
    TestFolder folder;
    const QString flag = folder.filePath("seen");
    // The tool goes on only once the first progress report has been seen, and gives up after
    // about five seconds, reporting frame 999 instead of 200.
    const QString tool = writeTool(folder, "ffmpeg",
                                   "printf '  Duration: 00:00:10.00, start: 0.000000\\n'\n"
                                   "printf 'frame=  100 fps= 30\\r'\n"
                                   "n=0\n"
                                   "while [ ! -e '" + QFile::encodeName(flag) + "' ] && [ $n -lt 100 ]; do\n"
                                   "  sleep 0.05; n=$((n+1))\n"
                                   "done\n"
                                   "if [ $n -lt 100 ]; then printf 'frame=  200\\r'; else printf 'frame=  999\\r'; fi\n");
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    record.setToolPath(tool);
    std::vector<double> progress;
    record.setCallback([&](double fraction) {
        progress.push_back(fraction);
        QFile(flag).open(QIODevice::WriteOnly);
    });

    record.runFFMPEG({"-i", "/movies/clip.avi"});

    EXPECT_EQ(progress, (std::vector<double>{100.0 / 299, 200.0 / 299}));
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, StopsAtAnErrorPhraseAndEndsTheToolAtOnce)
{
    TestFolder folder;
    const QString pidFile = folder.filePath("pid");
    // After its complaint the tool stays silent, deaf to SIGTERM and a broken pipe.
    const QString tool = writeTool(folder, "ffmpeg",
                                   "echo $$ > '" + QFile::encodeName(pidFile) + "'\n"
                                   "echo 'clip.avi: Invalid data found when processing input'\n"
                                   "trap '' TERM PIPE\n"
                                   "exec sleep 30\n");
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    record.setToolPath(tool);
    Reports reports(record);

    const auto started = Clock::now();
    record.loadInformation();
    const auto elapsed = Clock::now() - started;

    EXPECT_LT(elapsed, std::chrono::seconds(10));
    const std::vector<EngineError> expected{
        {"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi"}};
    EXPECT_EQ(reports.errors, expected);
    EXPECT_TRUE(noChildLeft());
    const pid_t toolPid = readFile(pidFile).trimmed().toInt();
    ASSERT_GT(toolPid, 0);
    EXPECT_EQ(kill(toolPid, 0), -1);
}

TEST(ToolRunner, ToolPrintingNothingLeavesTheRecordAlone)
{
    TestFolder folder;
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    record.setToolPath(writeTool(folder, "ffmpeg", "exit 1\n"));
    record.setVideo("mpeg2video");
    Reports reports(record);

    record.loadInformation();

    EXPECT_EQ(record.video(), "mpeg2video");
    EXPECT_EQ(record.audioChannels(), std::nullopt);
    EXPECT_TRUE(reports.progress.empty());
    EXPECT_TRUE(reports.errors.empty());
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, HandsEveryArgumentOverUnchangedAndRunsNothingElse)
{
    TestFolder folder;
    const QString argsFile = folder.filePath("args");
    const QString tool = writeTool(folder, "ffmpeg", "printf '%s\\0' \"$@\" > '" + QFile::encodeName(argsFile) + "'\n");
    const QString input = folder.filePath("a \"b\" 'c' $(touch marker) `touch marker`; touch marker\n\\ é.avi");
    const QString output = folder.filePath("out $HOME | touch marker &.mpg");
    VideoProcessor record(input);
    record.setToolPath(tool);
    record.setAudioChannels(QStringLiteral("mono"));
    Reports reports(record);

    const QString workingDir = QDir::currentPath();
    QDir::setCurrent(folder.path());
    record.transcode(output, 1, 1, 6000);
    QDir::setCurrent(workingDir);

    const QStringList expected = VideoProcessor::transcodeArguments(input, output, 1, 1, 6000, QStringLiteral("mono"));
    QByteArray joined;
    for (const QString& argument : expected)
        joined += argument.toUtf8() + '\0';
    EXPECT_EQ(readFile(argsFile), joined);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
    EXPECT_TRUE(reports.errors.empty());
}

struct TranscodeExitCase {
    const char* name;
    QByteArray script;
    int code;
    QString description;  // empty: no error expected
};

class TranscodeExit : public testing::TestWithParam<TranscodeExitCase> {};

TEST_P(TranscodeExit, IsReportedOnlyWhenTheToolFails)
{
    TestFolder folder;
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    record.setToolPath(writeTool(folder, "ffmpeg", GetParam().script));
    Reports reports(record);

    record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);

    std::vector<EngineError> expected;
    if (!GetParam().description.isEmpty())
        expected.push_back({"FFMPEG", GetParam().code, GetParam().description});
    EXPECT_EQ(reports.errors, expected);
    EXPECT_TRUE(noChildLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TranscodeExit,
    testing::Values(
        TranscodeExitCase{"Success", "echo 'video:147kB audio:24kB'\nexit 0\n", 0, ""},
        TranscodeExitCase{"QuotesTheLastMessage",
                          "echo 'Input #0, avi'\necho '  /out/clip.mpg: Permission denied  '\n"
                          "printf 'frame=    1 fps=0.0\\r'\nprintf 'frame=   30 fps=0.0\\n'\nprintf '\\n'\nexit 1\n",
                          FfmpegErrors::TranscodeFailed, "Could not transcode clip.avi: /out/clip.mpg: Permission denied"},
        TranscodeExitCase{"SilentFailure", "exit 3\n", FfmpegErrors::TranscodeFailed,
                          "Could not transcode clip.avi: ffmpeg exited with status 3"},
        TranscodeExitCase{"KilledBySignal", "kill -9 $$\n", FfmpegErrors::TranscodeFailed,
                          "Could not transcode clip.avi: ffmpeg was ended by signal 9"},
        TranscodeExitCase{"NoSecondErrorAfterAPhrase", "echo 'Unknown format'\nexit 1\n",
                          FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi"}),
    [](const testing::TestParamInfo<TranscodeExitCase>& info) { return std::string(info.param.name); });

TEST(ToolRunner, ReportsAToolThatCannotBeStarted)
{
    TestFolder folder;
    const QString notExecutable = folder.filePath("plain");
    QFile(notExecutable).open(QIODevice::WriteOnly);
    for (const QString& tool : {folder.filePath("missing/ffmpeg"), notExecutable, folder.path()}) {
        VideoProcessor record(QStringLiteral("/movies/clip.avi"));
        record.setToolPath(tool);
        Reports reports(record);

        record.loadInformation();

        ASSERT_EQ(reports.errors.size(), 1u) << tool.toStdString();
        EXPECT_EQ(reports.errors[0].domain, "FFMPEG");
        EXPECT_EQ(reports.errors[0].code, FfmpegErrors::SpawnFailed);
        EXPECT_TRUE(reports.errors[0].description.startsWith("ffmpeg could not be started from " + tool + ": "))
            << reports.errors[0].description.toStdString();
    }
    EXPECT_TRUE(noChildLeft());
}

struct LocatorCase {
    const char* name;
    bool besideApp;
    QByteArray searchPath;  // "<dir>" stands for the folder that holds an ffmpeg on PATH
    const char* expected;   // "app", "path" or "" for none
};

class Locator : public testing::TestWithParam<LocatorCase> {};

TEST_P(Locator, PrefersTheAppsOwnToolThenPath)
{
    TestFolder folder;
    QDir(folder.path()).mkpath("app/bin");
    QDir(folder.path()).mkpath("app/libexec/mpgfix");
    QDir(folder.path()).mkpath("tools");
    QDir(folder.path()).mkpath("plain");
    if (GetParam().besideApp)
        writeTool(folder, "app/libexec/mpgfix/ffmpeg", "");
    writeTool(folder, "tools/ffmpeg", "");
    QFile(folder.filePath("plain/ffmpeg")).open(QIODevice::WriteOnly);  // not executable
    QByteArray searchPath = GetParam().searchPath;
    searchPath.replace("<tools>", QFile::encodeName(folder.filePath("tools")))
        .replace("<plain>", QFile::encodeName(folder.filePath("plain")));

    const ToolLocator locator("ffmpeg", folder.filePath("app/bin"), searchPath);

    const QString expected = QString(GetParam().expected) == "app"    ? folder.filePath("app/libexec/mpgfix/ffmpeg")
                             : QString(GetParam().expected) == "path" ? folder.filePath("tools/ffmpeg")
                                                                      : QString();
    EXPECT_EQ(locator.locate().value_or(QString()), expected);
    EXPECT_EQ(locator.resourceDir(), folder.filePath("app/libexec/mpgfix"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Locator,
                         testing::Values(LocatorCase{"BesideTheApp", true, "<tools>", "app"},
                                         LocatorCase{"OnPath", false, "<plain>::/nonexistent:<tools>", "path"},
                                         LocatorCase{"Nowhere", false, "<plain>::/nonexistent", ""},
                                         LocatorCase{"NoPath", false, "", ""}),
                         [](const testing::TestParamInfo<LocatorCase>& info) { return std::string(info.param.name); });

std::string readOutput(ToolProcess& process)
{
    std::string text;
    for (int c; (c = fgetc(process.output())) != EOF;)
        text += static_cast<char>(c);
    return text;
}

TEST(ToolProcess, PassesBytesThatAreNotUtf8Unchanged)
{
    TestFolder folder;
    const QByteArray name = QFile::encodeName(folder.path()) + "/raw \xff\xfe name \x80.txt";
    FILE* file = fopen(name.constData(), "w");
    ASSERT_NE(file, nullptr);
    fputs("content", file);
    fclose(file);

    ToolProcess process;
    ASSERT_FALSE(process.start("/bin/cat", {name}));
    EXPECT_EQ(readOutput(process), "content");
    const ToolProcess::ExitStatus status = process.wait();
    EXPECT_EQ(status.kind, ToolProcess::ExitStatus::Kind::Exited);
    EXPECT_EQ(status.value, 0);
    // Qt cannot name this file, so its scratch folder could not remove it.
    unlink(name.constData());
}

TEST(ToolProcess, ChildHasASilentOpenInputAndOnlyTheStandardDescriptors)
{
    // A descriptor the app left inheritable must not reach the tool either.
    const int leaked = open("/dev/null", O_RDONLY);
    ASSERT_GE(leaked, 3);
    ToolProcess process;
    // `timeout` ends cat with 124 when its input neither delivers nor ends within half a second.
    ASSERT_FALSE(process.start("/bin/sh", {"-c", "ls /proc/$$/fd | tr '\\n' ' '; timeout 0.5 cat; echo $?; "
                                                 "echo error >&2"}));
    EXPECT_EQ(readOutput(process), "0 1 2 124\nerror\n");
    EXPECT_FALSE(process.wait().failed());
    close(leaked);
}

TEST(ToolProcess, KillEndsAndReapsAToolThatIgnoresSignals)
{
    ToolProcess process;
    ASSERT_FALSE(process.start("/bin/sh", {"-c", "trap '' TERM INT PIPE; exec sleep 30"}));
    const auto started = Clock::now();
    process.kill();
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(noChildLeft());
}

} // namespace
