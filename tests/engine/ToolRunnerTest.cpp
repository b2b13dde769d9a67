#include "RecordedRun.h"
#include "ToolConfinement.h"
#include "ToolProcess.h"
#include "ToolVersion.h"
#include "UniqueFd.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

// The runner and its child processes, against fake tools: small shell scripts written per test.
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// No child of this process is left, running or unreaped.
bool noChildLeft() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

// Whether the sleep of number `pid` ends within a few seconds: gone, a zombie, or its number
// already another process's.
bool sleepEnds(const QByteArray& pid)
{
    const auto ended = [&] {
        const QByteArray stat = TestMedia::readAll("/proc/" + pid + "/stat");
        return !stat.contains("(sleep) ") || stat.contains(") Z ");
    };
    for (int tries = 0; tries < 250 && !ended(); ++tries)
        std::this_thread::sleep_for(20ms);
    return ended();
}

TEST(ToolRunner, ReportsAFailedTranscodeOrStartByItsMostTellingLineNeverTheProbesExitStatus)
{
    TestMedia::TestFolder folder;
    const auto failed = [](QString s) { return oneError(ErrorKind::ToolFailed, "Could not transcode clip.avi: " + s); };
    const struct { QByteArray script; bool probe; Errors errors; QString tool = {}; } cases[] = {
        {"exit 1\n", true, {}},  // prints nothing
        // After its complaint the tool stays silent, deaf to SIGTERM and to a broken pipe.
        {"echo 'clip.avi: Invalid data found'\ntrap '' TERM PIPE\nexec sleep 30\n", true,
         oneError(ErrorKind::UnrecognizedFormat, "Not a recognized file format: clip.avi")},
        // The tool has only descriptors 0, 1 and 2, and an input that neither delivers nor ends. The
        // shell reads its script through a close-on-exec descriptor of its own, and lists its
        // descriptors with no pipe or redirection, which would open more for a while.
        {"exec /bin/sh -c 'timeout 0.5 cat; printf \"Error: $? \"; ls -m /proc/$$/fd; exit 1'\n",
         false, failed("Error: 124 0, 1, 2")},
        // The last line with an error word: not the closing one, nor an indented stream detail.
        {"echo 'Error while decoding stream #0:1: Invalid data'\necho '/out/clip.mpg: No space left on device'\n"
         "echo '    title           : Error of Judgement'\necho 'Conversion failed!'\nexit 1\n",
         false, failed("/out/clip.mpg: No space left on device")},
        {"echo 'Conversion failed!'\nexit 1\n", false, failed("Conversion failed!")},
        {"exit 3\n", false, failed("ffmpeg exited with status 3")},
        {"kill -TERM $$\n", false, failed("ffmpeg was stopped by signal 15 (Terminated)")},
        {"", true, oneError(ErrorKind::ToolFailed, "ffmpeg could not be started from /nonexistent/ffmpeg: "
                                                      "No such file or directory"), "/nonexistent/ffmpeg"},
    };
    const UniqueFd inheritable(open("/dev/null", O_RDONLY));
    for (const auto& c : cases) {
        RecordedRun run;
        run.record.setToolPath(c.tool.isEmpty() ? writeTool(folder.filePath("ffmpeg"), c.script) : c.tool);
        c.probe ? void(run.record.loadInformation()) : run.record.transcode(folder.filePath("out.mpg"), {});
        EXPECT_EQ(run.errors, c.errors) << c.script.toStdString();
        EXPECT_TRUE(noChildLeft());
    }
}

// The stop comes once a progress line has arrived, which the tool prints before it waits.
TEST(ToolRunner, AStopFromAnotherThreadEndsTheToolUnreportedAndEveryLaterRunBeforeItStarts)
{
    // One heeds the stop before the grace period is over, which its trap's mark proves however
    // slowly a loaded machine runs it; the deaf one is killed once it is over, long before it ends.
    // Both wait through `wait`, which a trapped signal ends at once: a shell holds a trap until its
    // foreground command ends, and that command may miss a signal sent while it is being started.
    // Its marks go to the one file it may write, its output, the last argument.
    const struct { QByteArray trap; std::chrono::milliseconds least, most; bool heeds; } cases[] = {
        {"trap 'echo heeded >> \"$out\"; echo Conversion failed!; exit 255' TERM", 0s, 3s, true},
        {"trap '' TERM", 3s, 8s, false},
    };
    for (const auto& c : cases) {
        TestMedia::TestFolder folder;
        RecordedRun run;
        run.record.setToolPath(writeTool(folder.filePath("ffmpeg"), c.trap + "\nfor out; do :; done\n"
                                         "echo start >> \"$out\"\nsleep 10 >/dev/null 2>&1 &\necho \"child $!\" >> \"$out\"\n"
                                         // Until the child is sleep itself, a signal would meet the shell's trap in it.
                                         "until grep -q sleep /proc/$!/comm; do :; done\n"
                                         "printf '  Duration: 00:00:10.00\\nframe=  100\\r'\nwait\n"));
        std::atomic<bool> running = false;
        run.record.setCallback([&](double) { running = true; });
        std::atomic<Clock::time_point> stopped;
        std::jthread stopper([&](const std::stop_token& abandoned) {
            while (!running && !abandoned.stop_requested())
                std::this_thread::sleep_for(10ms);
            stopped = Clock::now();
            run.record.requestStop();
        });
        run.record.transcode(folder.filePath("out.mpg"), TranscodePlan{});
        const auto took = Clock::now() - stopped.load();
        run.record.transcode(folder.filePath("out.mpg"), TranscodePlan{});
        const QByteArray marks = TestMedia::readAll(folder.filePath("out.mpg"));
        EXPECT_TRUE(took >= c.least && took < c.most && run.record.stopRequested() && marks.contains("heeded") == c.heeds)
            << c.trap.toStdString();
        EXPECT_TRUE(run.errors.empty() && noChildLeft() && marks.count("start") == 1);
        // The stop reaches the tool's own children too: its whole process group.
        EXPECT_TRUE(sleepEnds(marks.mid(marks.indexOf("child ") + 6).split('\n').value(0)));
    }
}

// Nobody ends the tool, yet it dies with the thread that started it, as ffmpeg must when the app
// is killed; it writes nothing, so no broken pipe can end it instead.
TEST(ToolRunner, AToolDiesWithTheThreadThatStartedIt)
{
    std::optional<ToolProcess> process;
    std::thread([&] { process.emplace().start("/bin/sleep", {"30"}); }).join();
    const QStringList children = TestMedia::childrenOf(getpid());
    EXPECT_TRUE(children.size() == 1 && sleepEnds(children[0].toUtf8())) << children.join(' ').toStdString();
    process.reset();
    EXPECT_TRUE(noChildLeft());
}

// Confined, the tool writes the one file it is to make and no other, changes no name, and opens
// no network socket (where nothing listens: refused when it may); unconfined, it does all of it.
TEST(ToolConfinement, LetsTheToolWriteItsOutputAloneAndKeepsItOffTheNetwork)
{
    if (ToolConfinement::landlockAbi() == 0 || !ToolConfinement::filtersSockets())
        GTEST_SKIP() << "no Landlock or no seccomp filters in this kernel";
    TestMedia::TestFolder folder;
    const QString tool = writeTool(folder.filePath("tool"), "exec 2>/dev/null\necho 1 > \"$1\" && echo own\n"
                                   "echo 1 > \"$2\" && echo other\necho 1 > \"$1.new\" && echo new\nrm \"$2\" && echo removed\n"
                                   "bash -c 'exec 3<>/dev/tcp/127.0.0.1/1' 2>&1 | grep -om1 'refused\\|denied'\n"
                                   "bash -c 'echo >/dev/udp/127.0.0.1/9' 2>&1 | grep -om1 denied || echo sent\n");
    for (const bool confined : {false, true}) {
        const QString own = folder.filePath(confined ? "own" : "free"), other = folder.filePath("other");
        ASSERT_TRUE(TestMedia::write(other, "kept"));
        const auto said = TestMedia::runTool(QFile::encodeName(tool), {own, other},
                                             confined ? ToolConfinement::writingOnly(own) : ToolConfinement());
        EXPECT_EQ(said, confined ? "own\ndenied\ndenied\n" : "own\nother\nnew\nremoved\nrefused\nsent\n");
        EXPECT_EQ(TestMedia::readAll(own), "1\n");
    }
}

// The version is asked with nothing to read and within a time limit: a tool that reads its input
// first still answers; one that stops mid-line, or hangs after its line, is ended at once, as is
// a silent one once the app quits.
TEST(ToolVersion, IsAskedWithAnEmptyInputAndEndedAtItsAnswerItsLimitOrQuit)
{
    TestMedia::TestFolder folder;
    const struct { QByteArray script; QString version; bool quit = false; } cases[] = {
        {"cat >/dev/null; echo 'ffmpeg version 9.9'\n", "ffmpeg version 9.9"},
        {"printf 'ffmpeg vers'; exec sleep 30\n", ""},
        {"echo 'ffmpeg version 9.9'; exec sleep 30\n", "ffmpeg version 9.9"},
        {"exec sleep 30\n", "", true},
    };
    for (const auto& c : cases) {
        std::stop_source quit;
        if (c.quit)
            quit.request_stop();
        const auto start = Clock::now();
        EXPECT_EQ(askToolVersion(writeTool(folder.filePath("ffmpeg"), c.script), c.quit ? 20s : 500ms, quit.get_token()),
                  c.version);
        EXPECT_TRUE(Clock::now() - start < 3s && noChildLeft()) << c.script.toStdString();
    }
}

// About names the release, not the build's packaging or the copyright.
TEST(ToolVersion, ShortFormKeepsTheNameAndRelease)
{
    const std::pair<QString, QString> cases[] = {
        {"ffmpeg version 5.1.9-0+deb12u1 Copyright (c) 2000-2026 the FFmpeg developers", "ffmpeg 5.1.9"},
        {"ffmpeg version 7.0", "ffmpeg 7.0"},
        {"ffmpeg version N-112345-gabcdef Copyright", "ffmpeg N-112345-gabcdef"},
        {"something else entirely", "something else entirely"},
    };
    for (const auto& [banner, shown] : cases)
        EXPECT_EQ(shortToolVersion(banner), shown);
}

} // namespace
