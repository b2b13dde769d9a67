#include "RecordedRun.h"
#include "TestMedia.h"
#include "ToolLocator.h"
#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/wait.h>

#include <chrono>

// The runner and its child processes, against fake tools: small shell scripts written per test.
namespace {

using TestMedia::TestFolder;

QString writeTool(const QString& path, const QByteArray& script)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + script) >= 0);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// No child of this process is left, running or unreaped.
bool noChildLeft()
{
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(ToolRunner, DeliversProgressLinesWhileTheToolIsStillRunning)
{
    TestFolder folder;
    const QString seen = folder.filePath("seen");
    RecordedRun run;
    // The tool goes on once the first report has been seen; after 5 s it gives up with 999.
    run.record.setToolPath(writeTool(folder.filePath("ffmpeg"),
        "printf '  Duration: 00:00:10.00, start: 0.000000\\nframe=  100 fps= 30\\r'\nn=0\n"
        "while [ ! -e '" + QFile::encodeName(seen) + "' ] && [ $n -lt 100 ]; do sleep 0.05; n=$((n+1)); done\n"
        "if [ $n -lt 100 ]; then printf 'frame=  200\\r'; else printf 'frame=  999\\r'; fi\n"));
    run.record.setCallback([&](double fraction) {
        run.progress.push_back(fraction);
        QFile(seen).open(QIODevice::WriteOnly);
    });
    run.record.runFFMPEG({"-i", "/movies/clip.avi"});
    EXPECT_EQ(run.progress, (std::vector<double>{100.0 / 299, 200.0 / 299}));
    EXPECT_TRUE(noChildLeft());
}

TEST(ToolRunner, ReportsAFailedTranscodeOrStartOnceNeverTheProbesExitStatusAndLeavesNoChild)
{
    TestFolder folder;
    const QString missing = folder.filePath("missing/ffmpeg"), failed = "Could not transcode clip.avi: ";
    const Errors unrecognized = oneError(FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi");
    const struct { QByteArray script; bool probe; Errors errors; QString tool = {}; } cases[] = {
        {"exit 1\n", true, {}},  // prints nothing
        // After its complaint the tool stays silent, deaf to SIGTERM and to a broken pipe.
        {"echo 'clip.avi: Invalid data found'\ntrap '' TERM PIPE\nexec sleep 30\n", true, unrecognized},
        {"echo 'Unknown format'\nexit 1\n", false, unrecognized},
        {"echo 'video:147kB audio:24kB'\n", false, {}},
        {"echo 'Input #0'\necho '  /out/clip.mpg: Permission denied  '\nprintf 'frame=    1 fps=0.0\\r'\n"
         "printf 'frame=   30 fps=0.0\\nsize=      24kB time=00:00:01.00\\n\\n'\nexit 1\n",
         false, oneError(FfmpegErrors::TranscodeFailed, failed + "/out/clip.mpg: Permission denied")},
        {"exit 3\n", false, oneError(FfmpegErrors::TranscodeFailed, failed + "ffmpeg exited with status 3")},
        {"kill -9 $$\n", false, oneError(FfmpegErrors::TranscodeFailed, failed + "ffmpeg was ended by signal 9")},
        {"", true, oneError(FfmpegErrors::SpawnFailed, "ffmpeg could not be started from " + missing +
                                                           ": No such file or directory"), missing},
    };
    for (const auto& c : cases) {
        RecordedRun run;
        run.record.setToolPath(c.tool.isEmpty() ? writeTool(folder.filePath("ffmpeg"), c.script) : c.tool);
        const auto started = std::chrono::steady_clock::now();
        if (c.probe)
            run.record.loadInformation();
        else
            run.record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        EXPECT_EQ(run.errors, c.errors) << c.script.toStdString();
        EXPECT_TRUE(noChildLeft());
    }
}

TEST(ToolProcess, ChildGetsRawBytesASilentOpenInputAndOnlyTheStandardDescriptors)
{
    const int inheritable = open("/dev/null", O_RDONLY);
    ASSERT_GE(inheritable, 3);
    ToolProcess process;
    // `timeout` ends cat with 124 when its input neither delivers nor ends within half a second.
    ASSERT_FALSE(process.start("/bin/sh", {"-c", "ls /proc/$$/fd | tr '\\n' ' '; timeout 0.5 cat; echo $?; "
                                                 "printf %s \"$0\" >&2", "not \xff\xfe UTF-8 \x80"}));
    std::string output(100, '\0');
    output.resize(fread(output.data(), 1, output.size(), process.output()));
    EXPECT_EQ(output, "0 1 2 124\nnot \xff\xfe UTF-8 \x80");
    EXPECT_FALSE(process.wait().failed());
    close(inheritable);
}

TEST(ToolLocator, PrefersTheAppsOwnToolThenTheFirstExecutableOnPath)
{
    TestFolder folder;
    QDir(folder.path()).mkpath("app/libexec/mpgfix");
    const QString own = writeTool(folder.filePath("app/libexec/mpgfix/ffmpeg"), "");
    const QString onPath = writeTool(folder.filePath("ffmpeg"), "");
    QFile(folder.filePath("app/ffmpeg")).open(QIODevice::WriteOnly);  // not executable
    const QByteArray plain = QFile::encodeName(folder.filePath("app")), tools = QFile::encodeName(folder.path());
    EXPECT_EQ(ToolLocator("ffmpeg", folder.filePath("app/bin"), tools).locate(), own);
    EXPECT_EQ(ToolLocator("ffmpeg", folder.filePath("x/bin"), plain + "::/nonexistent:" + tools).locate(), onPath);
    EXPECT_EQ(ToolLocator("ffmpeg", folder.filePath("x/bin"), plain + "::/nonexistent").locate(), std::nullopt);
    EXPECT_EQ(ToolLocator("ffmpeg", "/opt/app/bin", "").resourceDir(), "/opt/app/libexec/mpgfix");
}

} // namespace
