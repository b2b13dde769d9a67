#include "RecordedRun.h"
#include "TestMedia.h"
#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <thread>

// The runner and its child processes, against fake tools: small shell scripts written per test.
namespace {

using TestMedia::TestFolder;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// No child of this process is left, running or unreaped.
bool noChildLeft()
{
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(ToolRunner, ReportsAFailedTranscodeOrStartOnceByItsMostTellingLineNeverTheProbesExitStatus)
{
    TestFolder folder;
    const QString missing = folder.filePath("missing/ffmpeg"), failed = "Could not transcode clip.avi: ";
    const Errors unrecognized = oneError(FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi");
    const auto transcodeFailed = [&](const QString& why) { return oneError(FfmpegErrors::TranscodeFailed, failed + why); };
    const QByteArray metadata = "echo '    encoder         : Lavc59.37.100 mp2'\n";
    const struct { QByteArray script; bool probe; Errors errors; QString tool = {}; } cases[] = {
        {"exit 1\n", true, {}},  // prints nothing
        // After its complaint the tool stays silent, deaf to SIGTERM and to a broken pipe.
        {"echo 'clip.avi: Invalid data found'\ntrap '' TERM PIPE\nexec sleep 30\n", true, unrecognized},
        {"echo '/out/clip.mpg: Permission denied'\nprintf 'frame=    1 fps=0.0\\r'\n" + metadata +
         "printf 'frame=   30 fps=0.0\\nvideo:1kB\\n\\nConversion failed!\\n'\nexit 1\n",
         false, transcodeFailed("/out/clip.mpg: Permission denied")},
        {metadata + "echo 'Conversion failed!'\nexit 1\n", false, transcodeFailed("Conversion failed!")},
        {metadata + "exit 3\n", false, transcodeFailed("ffmpeg exited with status 3")},
        {metadata + "kill -TERM $$\n", false, transcodeFailed("ffmpeg was stopped by signal 15 (Terminated)")},
        {"", true, oneError(FfmpegErrors::SpawnFailed, "ffmpeg could not be started from " + missing +
                                                           ": No such file or directory"), missing},
    };
    for (const auto& c : cases) {
        RecordedRun run;
        run.record.setToolPath(c.tool.isEmpty() ? writeTool(folder.filePath("ffmpeg"), c.script) : c.tool);
        const auto started = Clock::now();
        if (c.probe)
            run.record.loadInformation();
        else
            run.record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);
        EXPECT_LT(Clock::now() - started, 10s);
        EXPECT_EQ(run.errors, c.errors) << c.script.toStdString();
        EXPECT_TRUE(noChildLeft());
    }
}

// The stop comes once a progress line has arrived, which the tool prints before it waits.
TEST(ToolRunner, DeliversLinesAsTheyComeAndAStopFromAnotherThreadEndsTheToolUnreportedAndEveryLaterRun)
{
    TestFolder folder;
    const QString starts = folder.filePath("starts");
    const struct { const char* trap; std::chrono::milliseconds least, most; } cases[] = {
        {"trap 'echo Conversion failed!; exit 255' TERM", 0s, 2s},
        {"trap '' TERM", 3s, 6s},  // deaf: killed once the grace period is over
    };
    for (const auto& c : cases) {
        QFile::remove(starts);
        RecordedRun run;
        run.record.setToolPath(writeTool(folder.filePath("ffmpeg"), c.trap + ("\necho >> '" + QFile::encodeName(starts) +
            "'\nprintf '  Duration: 00:00:10.00\\nframe=  100\\r'\nwhile :; do sleep 0.05; done\n")));
        std::atomic<bool> running = false;
        run.record.setCallback([&](double fraction) { run.progress.push_back(fraction), running = true; });
        const auto started = Clock::now();
        std::jthread stopper([&](const std::stop_token& abandoned) {
            while (!running && !abandoned.stop_requested())
                std::this_thread::sleep_for(10ms);
            run.record.requestStop();
        });
        run.record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);
        const auto took = Clock::now() - started;
        EXPECT_TRUE(took >= c.least && took < c.most) << c.trap;
        run.record.loadInformation();
        run.record.transcode(folder.filePath("out.mpg"), 1, 1, 6000);
        EXPECT_TRUE(run.record.stopRequested() && run.errors.empty() && noChildLeft());
        EXPECT_EQ(run.progress, std::vector<double>{100.0 / 299});
        EXPECT_EQ(QFile(starts).size(), 1);
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

TEST(ToolProcess, DiesWithTheProcessThatStartedItEvenWhenThatIsKilled)
{
    // Orphans come back to this process, which can then tell how the tool ended.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int toolRuns[2];
    ASSERT_EQ(pipe2(toolRuns, O_CLOEXEC), 0);
    const pid_t starter = fork();
    if (starter == 0) {
        ToolProcess tool;
        if (!tool.start("/bin/sh", {"-c", "echo; exec sleep 10"}) && fgetc(tool.output()) == '\n' &&
            write(toolRuns[1], "", 1) == 1)
            pause();
        _exit(1);
    }
    close(toolRuns[1]);
    char byte;
    EXPECT_EQ(read(toolRuns[0], &byte, 1), 1);
    kill(starter, SIGKILL);
    waitpid(starter, nullptr, 0);
    const auto killed = Clock::now();
    int status = 0;
    EXPECT_GT(waitpid(-1, &status, 0), 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && Clock::now() - killed < 5s);
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    close(toolRuns[0]);
}

} // namespace
