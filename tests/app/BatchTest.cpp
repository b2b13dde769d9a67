#include "DiscFit.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtCore/qtestsupport_core.h>

#include <csignal>

namespace {

// mpgfix --batch as a script on a server runs it: no display of any kind, a home of its own.
void startBatch(QProcess& run, const QString& home, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_VIDEOS_DIR"})
        environment.remove(name);
    environment.insert("HOME", home);
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(home);
    run.start(MPGFIX_BINARY, QStringList{"--batch"} + arguments);
    ASSERT_TRUE(run.waitForStarted());
}

struct Ended { int status = -1; QStringList lines; QString errors; QJsonObject disc; };

// The lines printed, a JSON object read back as "<outcome>[/<action>] <input name> -> <output
// name>", the summary without its time and bytes; `input` is standard input, then closed.
Ended runBatch(const QString& home, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess run;
    startBatch(run, home, arguments);
    run.write(input);
    run.closeWriteChannel();
    EXPECT_TRUE(run.waitForFinished(120000));
    Ended ended{run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1, {}, run.readAllStandardError(), {}};
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        if (object.contains("disc")) {
            ended.disc = object["disc"].toObject();
            continue;
        }
        const auto name = [&](const char* key) { return QFileInfo(object[key].toString()).fileName(); };
        const QString action = object["action"].toString();
        ended.lines << (object.isEmpty() ? QString(line).remove(QRegularExpression(" in \\d+:\\d\\d, .* written$"))
                                         : name("outcome") + (action.isEmpty() ? "" : "/" + action) + " " + name("input") + " -> " + name("output"));
        EXPECT_TRUE(object.isEmpty() || (object["seconds"].toDouble() >= 0 && object["message"].isString() &&
                                         object["bytes"].toInteger(-1) == (action.isEmpty() ? -1 : QFileInfo(object["output"].toString()).size())))
            << line.toStdString();
    }
    return ended;
}

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

} // namespace

// Command lines in a row, as a script would give them: what is not given takes the defaults
// whatever the window has stored (here: another folder, Keep both), a re-run of a finished batch
// succeeds, and Replace never replaces what the run itself wrote. Files come from the command
// line and from lists; a name is one line whatever it holds; a line that cannot be written
// fails the run and is said on standard error, as coreutils do.
TEST(BatchTest, CommandLinesFixWhatTheyNameAndExitAsTheFilesWent)
{
    const TestMedia::TestFolder home;
    QDir(home.path()).mkpath("in/s");
    QDir(home.path()).mkpath("in/t");
    ASSERT_TRUE(TestMedia::makeClip(home.filePath("in/dvd.mpg"), TestMedia::conformingMpeg()) &&
                QFile::copy(home.filePath("in/dvd.mpg"), home.filePath("in/copy.mpg")) &&
                QFile::copy(home.filePath("in/dvd.mpg"), home.filePath("in/t/dvd.mpg")) &&
                QFile::copy(home.filePath("in/dvd.mpg"), home.filePath("in/odd\nname.mpg")) &&
                TestMedia::makeClip(home.filePath("in/s/cam.mp4"), TestMedia::h264AacMono()) &&
                TestMedia::write(home.filePath("in/notes.txt"), "not a video\n") &&
                TestMedia::write(home.filePath("list"), "in/dvd.mpg\n" + home.filePath("in/copy.mpg").toUtf8()));
    const QString store = home.filePath(".config/mpgfix/mpgfix.conf"), stored = "[General]\npath=elsewhere\ntaken=keep\n";
    ASSERT_TRUE(QDir(home.path()).mkpath(".config/mpgfix") && TestMedia::write(store, stored.toUtf8()));
    const QString out = home.filePath("out"), to = " -> " + out + "/";
    const QString copied = " (copied unchanged)";
    const struct { QStringList arguments; QByteArray input; int status; QStringList lines; QString complaint; QStringList outputs; }
    cases[] = {
        {{"--output", "out", "--jobs", "2", "in/s", "in/dvd.mpg"}, "", 0,
         {"2 fixed, 0 failed, 0 skipped", "done  in/dvd.mpg" + to + "dvd.mpg" + copied,
          "done  in/s/cam.mp4" + to + "cam.mpg (video and audio re-encoded)"},
         "", {"cam.mpg", "dvd.mpg"}},
        {{"--output", out, "--if-taken", "message", "in/dvd.mpg"}, "", 0,
         {"0 fixed, 0 failed, 1 skipped", "skipped  in/dvd.mpg: " + out + "/dvd.mpg already exists and was left as it is."},
         "", {"cam.mpg", "dvd.mpg"}},
        {{"--json", "--output", "out", "--dvd", "in/notes.txt", "in/dvd.mpg", "in/copy.mpg", "gone.mp4"}, "", 1,
         {"done/remux copy.mpg -> copy.mpg", "failed gone.mp4 -> ", "failed notes.txt -> ", "skipped dvd.mpg -> "},
         "1 fixed, 2 failed, 1 skipped", {"cam.mpg", "copy.mpg", "dvd.mpg"}},
        {{"--output", "out", "--if-taken", "replace", "in/dvd.mpg", "in/t/dvd.mpg"}, "", 0,
         {"2 fixed, 0 failed, 0 skipped", "done  in/dvd.mpg" + to + "dvd.mpg" + copied,
          "done  in/t/dvd.mpg" + to + "dvd (2).mpg (copied unchanged; " + out + "/dvd.mpg was written by this run and "
          "was kept: Replace only replaces files that were there before.)"},
         "", {"cam.mpg", "copy.mpg", "dvd (2).mpg", "dvd.mpg"}},
        {{"--output", "o2", "--files-from", "list"}, "", 0,
         {"2 fixed, 0 failed, 0 skipped", "done  in/copy.mpg -> " + home.filePath("o2/copy.mpg") + copied,
          "done  in/dvd.mpg -> " + home.filePath("o2/dvd.mpg") + copied},
         "", {"copy.mpg", "dvd.mpg"}},
        {{"--output", "o3", "--files-from", "-", "--null"}, QByteArray("in/t/dvd.mpg\0in/odd\nname.mpg\0in/dvd.mpg", 39), 0,
         {"2 fixed, 0 failed, 1 skipped", "done  \"in/odd\\nname.mpg\" -> \"" + home.filePath("o3/odd\\nname.mpg\"") + copied,
          "done  in/t/dvd.mpg -> " + home.filePath("o3/dvd.mpg") + copied,
          "skipped  in/dvd.mpg: " + home.filePath("o3/dvd.mpg") + " already exists and was left as it is."},
         "", {"dvd.mpg", "odd\nname.mpg"}},
        {{"--bitrate", "10", "in/dvd.mpg"}, "", 2, {}, "--bitrate", {}},
        {{"--jobs", "0", "in/dvd.mpg"}, "", 2, {}, "--jobs", {}},
        {{"--if-taken", "overwrite", "in/dvd.mpg"}, "", 2, {}, "--if-taken", {}},
        {{}, "", 2, {}, "--batch", {}},
        {{"in/dvd.mpg"}, "", 2, {}, "--output", {}},
        {{"--output", "in/notes.txt/o", "in/dvd.mpg"}, "", 2, {}, "notes.txt/o", {}},
        {{"--output", "o4", "--files-from", "nolist"}, "", 2, {}, "nolist", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Ended ended = runBatch(home.path(), c.arguments, c.input);
        QStringList lines = ended.lines;
        // Files at once end in either order.
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(std::tuple(ended.status, lines), std::tuple(c.status, c.lines)) << ended.errors.toStdString();
        EXPECT_TRUE(ended.errors.contains(c.complaint)) << ended.errors.toStdString();
        if (c.status != 2) {
            EXPECT_EQ(filesIn(QDir(home.path()).absoluteFilePath(c.arguments.value(c.arguments.indexOf("--output") + 1))), c.outputs);
        }
    }
    EXPECT_EQ(TestMedia::streamFacts(out + "/cam.mpg", "v:0"), "mpeg2video,720,480,30000/1001,");
    EXPECT_EQ(TestMedia::readAll(store), stored);
    EXPECT_FALSE(QFileInfo::exists(home.filePath("Videos")) || QFileInfo::exists(home.filePath("elsewhere")));
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    startBatch(full, home.path(), {"--json", "--output", "out", "in/dvd.mpg"});
    ASSERT_TRUE(full.waitForFinished(20000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("standard output"));
}

// A signal ends a run within a second with 128 + its number, also while a folder and a list
// (here one that never ends) are still read.
TEST(BatchTest, ASignalEndsTheRunAtOnceWhateverItIsReading)
{
    const TestMedia::TestFolder home;
    QDir(home.path()).mkpath("many");
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(TestMedia::write(home.filePath(QString("many/%1").arg(i)), "not a video"));
    for (const auto& [signal, status] : {std::pair(SIGINT, 130), std::pair(SIGTERM, 143), std::pair(SIGHUP, 129)}) {
        QProcess run;
        startBatch(run, home.path(), {"--output", "out", "--files-from", "-", "many"});
        QTest::qWait(200);
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(pid_t(run.processId()), signal);
        ASSERT_TRUE(run.waitForFinished(5000));
        EXPECT_LT(sinceSignal.elapsed(), 1000);
        EXPECT_EQ(std::pair(run.exitStatus(), run.exitCode()), std::pair(QProcess::NormalExit, status));
    }
}

// A list read bit by bit is one run, however often its files run out in between.
TEST(BatchTest, AListReadBitByBitIsOneRun)
{
    const TestMedia::TestFolder home;
    QProcess run;
    startBatch(run, home.path(), {"--output", "out", "--files-from", "-"});
    run.write("gone1.mp4\n");
    while (!run.canReadLine())
        ASSERT_TRUE(run.waitForReadyRead(10000));
    run.write("gone2.mp4\n");
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(10000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_TRUE(run.readAllStandardOutput().contains("\n0 fixed, 2 failed, 0 skipped in "));
}

// Ctrl+C in the middle of two transcodes stops both and starts nothing more: the run exits with
// 130, and neither an ffmpeg nor a temporary output is left.
TEST(BatchTest, AnInterruptStopsTheRunningFilesAndLeavesNothing)
{
    const TestMedia::TestFolder home;
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
        ASSERT_TRUE(TestMedia::makeClip(home.filePath(name), TestMedia::h264AacMono(320, 240, 30.0)));
    QProcess run;
    startBatch(run, home.path(), {"--output", "out", "--jobs", "2", "a.mp4", "b.mp4", "c.mp4"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return TestMedia::childrenOf(run.processId()).size() == 2; }, 20000));
    const QStringList encoders = TestMedia::childrenOf(run.processId());
    ::kill(pid_t(run.processId()), SIGINT);
    ASSERT_TRUE(run.waitForFinished(5000));
    EXPECT_EQ(std::pair(run.exitStatus(), run.exitCode()), std::pair(QProcess::NormalExit, 130));
    const QStringList printed = QString::fromUtf8(run.readAllStandardOutput()).split('\n');
    EXPECT_EQ(printed.filter(QRegularExpression("^cancelled  ")).size(), 2);
    EXPECT_EQ(filesIn(home.filePath("out")), QStringList());
    for (const QString& encoder : encoders)
        EXPECT_TRUE(QTest::qWaitFor([&] { return TestMedia::readAll("/proc/" + encoder + "/cmdline").isEmpty(); }));
}

// Two runs given the same names, side by side into one folder under Keep both: every file is
// written once, whole, under a name of its own.
TEST(BatchTest, TwoRunsIntoOneFolderNeitherLoseNorDoubleAFile)
{
    const TestMedia::TestFolder home;
    QStringList names;
    ASSERT_TRUE(TestMedia::makeClip(home.filePath("clip.mpg"), TestMedia::conformingMpeg()));
    for (int i = 0; i < 6; ++i) {
        names << QStringLiteral("c%1.mpg").arg(i);
        ASSERT_TRUE(QFile::copy(home.filePath("clip.mpg"), home.filePath(names.last())));
    }
    QProcess first, second;
    startBatch(first, home.path(), QStringList{"--output", "out", "--if-taken", "keep", "--jobs", "2"} + names);
    startBatch(second, home.path(), QStringList{"--output", "out", "--if-taken", "keep"} + names);
    ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
    EXPECT_EQ(std::pair(first.exitCode(), second.exitCode()), std::pair(0, 0));
    QStringList expected;
    for (const QString& name : names)
        expected << QString(name).replace(".mpg", " (2).mpg") << name;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesIn(home.filePath("out")), expected);
    const qint64 size = QFileInfo(home.filePath("clip.mpg")).size();
    for (const QString& file : filesIn(home.filePath("out")))
        EXPECT_EQ(QFileInfo(home.filePath("out/" + file)).size(), size) << file.toStdString();
}

// A disc of the files: one bitrate fitted to it before anything is encoded, then its folder and
// image, or the image alone, authored from the fixed files in order. A set too long for the
// disc, a size that is none and a disc that would replace one start nothing.
TEST(BatchTest, ADiscIsFittedBeforeTheFilesAndAuthoredAfterThem)
{
    const TestMedia::TestFolder home;
    const QStringList clips{"a.mp4", "b.mp4", "c.mp4"};
    for (const QString& clip : clips)
        ASSERT_TRUE(TestMedia::makeClip(home.filePath(clip), TestMedia::h264AacMono(160, 120, 2.0)));
    const QString disc = home.filePath("D");
    const struct { QStringList arguments; int status; QString complaint, discLine; QStringList made; } cases[] = {
        {{"--disc", "1MB", "--dvd-folder", "D", "--output", "out"}, 1, "Only 0 minute", "", {}},
        {{"--disc", "dvd6", "--iso", "D/t.iso"}, 2, "--disc", "", {}},
        {{"--json", "--disc", "6MB", "--dvd-folder", "D", "--iso", "D/t.iso", "--title", "T", "--chapters", "1",
          "--output", "out"}, 0, "", "", {"T", "t.iso"}},
        {{"--iso", "D/only.iso", "--output", "out2"}, 0, "", "disc  D/only.iso 3 titles at 6.0 Mbit/s",
         {"only.iso", "T", "t.iso"}},
        {{"--iso", "D/t.iso", "--output", "out3"}, 1, "t.iso already exists", "", {"only.iso", "T", "t.iso"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Ended ended = runBatch(home.path(), c.arguments + clips);
        EXPECT_EQ(ended.status, c.status) << ended.errors.toStdString();
        EXPECT_TRUE(ended.errors.contains(c.complaint)) << ended.errors.toStdString();
        EXPECT_EQ(ended.lines.filter(QRegularExpression("^disc  ")).join(""), c.discLine);
        EXPECT_EQ(QDir(disc).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), c.made);
        if (c.status != 0) {
            EXPECT_EQ(filesIn(home.filePath(c.arguments.value(c.arguments.indexOf("--output") + 1))), QStringList());
        }
        if (c.arguments.contains("--json")) {
            const auto fit = std::get<DiscFit::Plan>(DiscFit::fit(6'000'000, QList<DiscFit::File>(3, {2, 192})));
            EXPECT_EQ(ended.disc, (QJsonObject{{"folder", disc + "/T"}, {"image", disc + "/t.iso"}, {"titles", 3},
                                               {"videoKbps", qint64(fit.videoKbps)}, {"bytes", ended.disc["bytes"]}}));
            EXPECT_LE(ended.disc["bytes"].toInteger(), 6'000'000);
        }
        for (const QString& image : c.made.filter(".iso")) {
            const QString told = TestMedia::runTool(LSDVD_TOOL, {disc + "/" + image}).value_or("");
            EXPECT_EQ(told.count(QRegularExpression("Title: \\d")), 3) << image.toStdString();
        }
    }
}
