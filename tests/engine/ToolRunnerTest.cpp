#include "FfmpegErrors.h"
#include "TestMedia.h"
#include "TestPrinters.h"
#include "ToolLocator.h"
#include "ToolProcess.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

// The runner against fake tools: small shell scripts written for each test.
namespace {

using Clock = std::chrono::steady_clock;
using TestMedia::TestFolder;

QString writeTool(const TestFolder& folder, const QString& name, const QByteArray& body)
{
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file.fileName();
}

QByteArray quoted(const QString& path) { return "'" + QFile::encodeName(path) + "'"; }

// No child of this process is left, running or unreaped.
bool noChildLeft()
{
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

struct FakeRun {
    FakeRun(const TestFolder& folder, const QByteArray& script) : record(QStringLiteral("/movies/clip.avi"))
    {
        record.setToolPath(writeTool(folder, "ffmpeg", script));
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    VideoProcessor record;
    std::vector<double> progress;
    std::vector<EngineError> errors;
};

TEST(ToolRunner, DeliversProgressLinesWhileTheToolIsStillRunning)
{
    TestFolder folder;
    const QString seen = folder.filePath("seen");
    // The tool goes on once the first report has been seen; after 5 s it gives up with 999.
    FakeRun run(folder, "printf '  Duration: 00:00:10.00, start: 0.000000\\nframe=  100 fps= 30\\r'\n"
                        "n=0; while [ ! -e " + quoted(seen) + " ] && [ $n -lt 100 ]; do sleep 0.05; n=$((n+1)); done\n"
                        "if [ $n -lt 100 ]; then printf 'frame=  200\\r'; else printf 'frame=  999\\r'; fi\n");
    run.record.setCallback([&](double fraction) {
        run.progress.push_back(fraction);
        QFile(seen).open(QIODevice::WriteOnly);
    });
    run.record.runFFMPEG({"-i", "/movies/clip.avi"});
    EXPECT_EQ(run.progress, (std::vector<double>{100.0 / 299, 200.0 / 299}));
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, StopsAtAnErrorPhraseAndEndsTheToolAtOnce)
{
    TestFolder folder;
    const QString pidFile = folder.filePath("pid");
    // After its complaint the tool stays silent, deaf to SIGTERM and to a broken pipe.
    FakeRun run(folder, "echo $$ > " + quoted(pidFile) + "\necho 'clip.avi: Invalid data found when processing input'\n"
                        "trap '' TERM PIPE\nexec sleep 30\n");
    const auto started = Clock::now();
    run.record.loadInformation();
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));
    const std::vector<EngineError> expected{
        {"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi"}};
    EXPECT_EQ(run.errors, expected);
    EXPECT_TRUE(noChildLeft());
    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_EQ(kill(pid.readAll().trimmed().toInt(), 0), -1);
}

TEST(ToolRunner, ProbeOfAToolPrintingNothingLeavesTheRecordAlone)
{
    TestFolder folder;
    FakeRun run(folder, "exit 1\n");
    run.record.setVideo("mpeg2video");
    run.record.loadInformation();
    EXPECT_EQ(run.record.video(), "mpeg2video");
    EXPECT_TRUE(run.progress.empty());
    EXPECT_TRUE(run.errors.empty());
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, HandsEveryArgumentOverUnchangedAndRunsNothingElse)
{
    TestFolder folder;
    const QString argsFile = folder.filePath("args");
    FakeRun run(folder, "printf '%s\\0' \"$@\" > " + quoted(argsFile) + "\n");
    const QString input = folder.filePath("a \"b\" 'c' $(touch marker) `touch marker`; touch marker\n\\ é.avi");
    const QString output = folder.filePath("out $HOME | touch marker &.mpg");
    run.record.setPath(input);
    run.record.setAudioChannels(QStringLiteral("mono"));
    const QString workingDir = QDir::currentPath();
    QDir::setCurrent(folder.path());
    run.record.transcode(output, 1, 1, 6000);
    QDir::setCurrent(workingDir);

    QByteArray expected;
    for (const QString& argument : VideoProcessor::transcodeArguments(input, output, 1, 1, 6000, QStringLiteral("mono")))
        expected += argument.toUtf8() + '\0';
    QFile args(argsFile);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll(), expected);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
    EXPECT_TRUE(run.errors.empty());
}

TEST(ToolRunner, TranscodeReportsAFailedToolOnceQuotingItsLastMessage)
{
    const struct {
        QByteArray script;
        std::vector<EngineError> errors;
    } cases[] = {
        {"echo 'video:147kB audio:24kB'\n", {}},
        {"echo 'Input #0'\necho '  /out/clip.mpg: Permission denied  '\nprintf 'frame=    1 fps=0.0\\r'\n"
         "printf 'frame=   30 fps=0.0\\nsize=      24kB time=00:00:01.00\\n\\n'\nexit 1\n",
         {{"FFMPEG", FfmpegErrors::TranscodeFailed, "Could not transcode clip.avi: /out/clip.mpg: Permission denied"}}},
        {"exit 3\n", {{"FFMPEG", FfmpegErrors::TranscodeFailed, "Could not transcode clip.avi: ffmpeg exited with status 3"}}},
        {"kill -9 $$\n",
         {{"FFMPEG", FfmpegErrors::TranscodeFailed, "Could not transcode clip.avi: ffmpeg was ended by signal 9"}}},
        {"echo 'Unknown format'\nexit 1\n",
         {{"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi"}}},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        FakeRun run(folder, c.script);
        run.record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);
        EXPECT_EQ(run.errors, c.errors) << c.script.toStdString();
    }
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, ReportsAToolThatCannotBeStarted)
{
    TestFolder folder;
    QFile(folder.filePath("plain")).open(QIODevice::WriteOnly);
    for (const QString& tool : {folder.filePath("missing/ffmpeg"), folder.filePath("plain"), folder.path()}) {
        FakeRun run(folder, "");
        run.record.setToolPath(tool);
        run.record.loadInformation();
        ASSERT_EQ(run.errors.size(), 1u) << tool.toStdString();
        EXPECT_EQ(run.errors[0].code, FfmpegErrors::SpawnFailed);
        EXPECT_TRUE(run.errors[0].description.startsWith("ffmpeg could not be started from " + tool + ": "));
    }
}

TEST(ToolLocator, PrefersTheAppsOwnToolThenPath)
{
    TestFolder folder;
    for (const char* dir : {"app/bin", "lonely/bin", "app/libexec/mpgfix", "tools", "plain"})
        QDir(folder.path()).mkpath(dir);
    writeTool(folder, "app/libexec/mpgfix/ffmpeg", "");
    writeTool(folder, "tools/ffmpeg", "");
    QFile(folder.filePath("plain/ffmpeg")).open(QIODevice::WriteOnly);  // not executable
    const QByteArray tools = QFile::encodeName(folder.filePath("tools"));
    const QByteArray plain = QFile::encodeName(folder.filePath("plain"));
    const struct {
        const char* appDir;
        QByteArray searchPath;
        QString found;
    } cases[] = {
        {"app/bin", tools, folder.filePath("app/libexec/mpgfix/ffmpeg")},
        {"lonely/bin", plain + "::/nonexistent:" + tools, folder.filePath("tools/ffmpeg")},
        {"lonely/bin", plain + "::/nonexistent", ""},
        {"lonely/bin", "", ""},
    };
    for (const auto& c : cases) {
        const ToolLocator locator("ffmpeg", folder.filePath(c.appDir), c.searchPath);
        EXPECT_EQ(locator.locate().value_or(""), c.found) << c.searchPath.toStdString();
        EXPECT_EQ(locator.resourceDir(), QDir::cleanPath(folder.filePath(c.appDir) + "/../libexec/mpgfix"));
    }
}

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
    EXPECT_FALSE(process.wait().failed());
    unlink(name.constData());  // Qt cannot name this file, so the folder could not remove it
}

TEST(ToolProcess, ChildHasASilentOpenInputAndOnlyTheStandardDescriptors)
{
    const int inheritable = open("/dev/null", O_RDONLY);
    ASSERT_GE(inheritable, 3);
    ToolProcess process;
    // `timeout` ends cat with 124 when its input neither delivers nor ends within half a second.
    ASSERT_FALSE(process.start("/bin/sh", {"-c", "ls /proc/$$/fd | tr '\\n' ' '; timeout 0.5 cat; echo $?; echo e >&2"}));
    EXPECT_EQ(readOutput(process), "0 1 2 124\ne\n");
    EXPECT_FALSE(process.wait().failed());
    close(inheritable);
}

} // namespace
