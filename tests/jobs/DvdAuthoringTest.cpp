#include "DiscFit.h"
#include "DiscToolConsole.h"
#include "DvdAuthoring.h"

#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include <future>

namespace {

using Kind = DiscFailure::Kind;
using Stage = DvdAuthoring::Stage;
using namespace std::chrono_literals;

const QString hostile = QStringLiteral("a&b <c> \"d\".mpg");
const QString name = QStringLiteral("My disc & more");

// Three-second clips, made once: NTSC 4:3 with AC-3 (twice, once under a name that XML must
// escape), NTSC 16:9 with MP2, PAL, and a file that is no video. The NTSC ones have the bitrate
// that DiscFit gives three of them on a 10 MB disc, and noise, so that they take all of it.
class DvdAuthoringTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        media = new TestMedia::TestFolder;
        const auto plan = std::get<DiscFit::Plan>(DiscFit::fit(discBytes, QList<DiscFit::File>(3, {3, 192})));
        const QString ntsc = QStringLiteral("-target ntsc-dvd -b:v %1k -aspect").arg(qRound(plan.videoKbps));
        ASSERT_TRUE(makeClip("ntsc.mpg", ntsc + " 4:3") && makeClip(hostile, ntsc + " 4:3") &&
                    makeClip("wide.mpg", ntsc + " 16:9 -c:a mp2") &&
                    makeClip("pal.mpg", "-target pal-dvd -aspect 4:3"));
        ASSERT_TRUE(TestMedia::write(media->filePath("broken.mpg"), "no video here\n"));
    }
    static void TearDownTestSuite() { delete media; }
    static bool makeClip(const QString& file, const QString& options)
    {
        const QString input = "-v error -f lavfi -i testsrc2=d=3,noise=alls=20:allf=t+u -f lavfi -i sine=d=3 ";
        const QStringList arguments = (input + options + " -ac 2 -b:a 192k").split(' ') << media->filePath(file);
        return TestMedia::runTool(FFMPEG_TOOL, arguments).has_value();
    }
    static DvdTitle title(const QString& file, TvStandard standard = TvStandard::Ntsc, bool wide = false,
                          AudioCodec audio = AudioCodec::Ac3)
    {
        return {media->filePath(file), standard, wide, audio, 3};
    }
    // Everything in the destination, hidden entries too.
    static QStringList made(const TestMedia::TestFolder& dest)
    {
        return QDir(dest.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static constexpr qint64 discBytes = 10'000'000;
    static inline TestMedia::TestFolder* media = nullptr;
};

// lsdvd's account of a disc: its label, then of each title its number, chapters, title set, TV
// standard, shape and audio.
QString lsdvd(const QString& disc)
{
    static const QRegularExpression facts(
        "Title: ([^,\\s]+)|Chapters: (\\d+)|VTS: (\\d+)|Format: (NTSC|PAL|ac3|mpeg1)|Aspect ratio: ([\\d/]+)");
    const QString told = TestMedia::runTool(LSDVD_TOOL, {"-x", disc}).value_or("");
    QStringList found;
    for (const QRegularExpressionMatch& match : facts.globalMatch(told))
        found << match.captured(match.lastCapturedIndex());
    return found.join(' ');
}

} // namespace

TEST_F(DvdAuthoringTest, MakesADiscOfItsTitlesInOrderWithChaptersAndAudioAndAnImageThatFitsThePlan)
{
    const struct { QList<DvdTitle> titles; QString read, facts; } cases[] = {
        {{title(hostile), title("wide.mpg", TvStandard::Ntsc, true, AudioCodec::Mp2), title("ntsc.mpg")}, name + ".iso",
         "MY_DISC___MORE 01 03 01 NTSC 4/3 ac3 02 03 02 NTSC 16/9 mpeg1 03 03 03 NTSC 4/3 ac3"},
        {{title("pal.mpg", TvStandard::Pal)}, name, "unknown 01 03 01 PAL 4/3 ac3"},
    };
    for (const auto& c : cases) {
        TestMedia::TestFolder dest;
        const bool image = c.read.endsWith(".iso");
        DvdAuthoring disc({c.titles, name, dest.path(), 1s, image, {}, true});
        QList<std::pair<Stage, double>> reports;
        disc.setProgressCallback([&](Stage stage, double fraction) { reports.append({stage, fraction}); });
        const std::optional<DiscFailure> failure = disc.run();
        ASSERT_FALSE(failure) << failure->message.toStdString();
        EXPECT_EQ(lsdvd(dest.filePath(c.read)), c.facts);
        EXPECT_EQ(made(dest), image ? QStringList({name, name + ".iso"}) : QStringList(name));
        EXPECT_TRUE(QFileInfo(disc.folderPath() + "/VIDEO_TS/VIDEO_TS.IFO").isFile());
        EXPECT_EQ(reports.first(), std::pair(Stage::Authoring, 0.0));
        EXPECT_TRUE(reports.contains({Stage::Authoring, 1.0}));
        EXPECT_EQ(reports.contains({Stage::Imaging, 0.0}), image);
        const double filled = double(QFileInfo(disc.imagePath()).size()) / discBytes;
        EXPECT_TRUE(!image || (filled > 0.7 && filled <= 1)) << filled;
    }
}

TEST_F(DvdAuthoringTest, AStopOrAFailureAtAnyStageLeavesNothingBehind)
{
    // What the test does once the stage has reported: stop the run from this thread, or give the
    // image's name to a file of its own.
    enum Act { Stop, TakeImageName, Nothing };
    const struct { Stage stage; Act act; QString input; Kind kind; QString says; QStringList left; } cases[] = {
        {Stage::Authoring, Stop, "ntsc.mpg", Kind::Stopped, "", {}},
        {Stage::Imaging, Stop, "ntsc.mpg", Kind::Stopped, "", {}},
        {Stage::Imaging, TakeImageName, "ntsc.mpg", Kind::NameTaken, "already exists", {name + ".iso"}},
        {Stage::Authoring, Nothing, "broken.mpg", Kind::ToolFailed, "dvdauthor could not make the disc: Partial", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says.toStdString() + c.input.toStdString());
        TestMedia::TestFolder dest;
        DvdAuthoring disc({{title(c.input), title("ntsc.mpg")}, name, dest.path(), 1s, true, {}, true});
        std::promise<void> reached, stopped;
        std::future<void> reachedFuture = reached.get_future(), stoppedFuture = stopped.get_future();
        bool acted = false;
        disc.setProgressCallback([&](Stage stage, double fraction) {
            if (acted || stage != c.stage || (stage == Stage::Authoring && fraction == 0))
                return;
            acted = true;
            if (c.act == TakeImageName)
                TestMedia::write(dest.filePath(name + ".iso"), "mine");
            if (c.act == Stop) {
                reached.set_value();
                stoppedFuture.wait();
            }
        });
        std::future<std::optional<DiscFailure>> run = std::async(std::launch::async, [&] { return disc.run(); });
        if (c.act == Stop) {
            EXPECT_EQ(reachedFuture.wait_for(60s), std::future_status::ready);
            disc.requestStop();
        }
        stopped.set_value();
        const std::optional<DiscFailure> failure = run.get();
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind, c.kind);
        EXPECT_TRUE(c.says.isEmpty() || failure->message.contains(c.says)) << failure->message.toStdString();
        EXPECT_EQ(made(dest), c.left);
    }
}

TEST_F(DvdAuthoringTest, ARequestThatCannotMakeADiscIsRefusedBeforeAnythingRuns)
{
    TestMedia::TestFolder dest;
    ASSERT_TRUE(QDir(dest.path()).mkdir("taken"));
    const QByteArray path = qgetenv("PATH");
    const struct { QList<DvdTitle> titles; QString title; QByteArray path; Kind kind; QString says; } cases[] = {
        {{title("ntsc.mpg"), title("pal.mpg", TvStandard::Pal)}, name, path, Kind::Refused,
         "ntsc.mpg is NTSC and pal.mpg is PAL"},
        {{}, name, path, Kind::Refused, "Choose the videos"},
        {{title("odd |")}, name, path, Kind::Refused, "dvdauthor would misread"},
        {{title("ntsc.mpg")}, "a/b", path, Kind::Refused, "“a/b” cannot name"},
        {{title("ntsc.mpg")}, "taken", path, Kind::NameTaken, dest.filePath("taken") + " already exists"},
        {{title("ntsc.mpg")}, name, "/nowhere", Kind::MissingTool, "Making a DVD needs dvdauthor"},
    };
    for (const auto& c : cases) {
        DvdAuthoring disc({c.titles, c.title, dest.path(), 1s, true, {}, true});
        bool reported = false;
        disc.setProgressCallback([&](Stage, double) { reported = true; });
        qputenv("PATH", c.path);
        const std::optional<DiscFailure> failure = disc.run();
        qputenv("PATH", path);
        ASSERT_TRUE(failure) << c.says.toStdString();
        EXPECT_EQ(failure->kind, c.kind);
        EXPECT_TRUE(failure->message.startsWith(c.says)) << failure->message.toStdString();
        EXPECT_FALSE(reported);
        EXPECT_EQ(made(dest), QStringList("taken"));
    }
}

// Titles play one after another: within a title set by a jump, into another through the disc's
// title menu, which the remote's Title button reaches too; the last one stops.
TEST(DvdAuthoringScriptTest, TitlesPlayInListOrderAcrossTitleSetsWithAChapterEveryInterval)
{
    const DvdTitle plain{"/v/a.mpg"}, wide{"/v/b.mpg", TvStandard::Ntsc, true};
    const QString xml = DvdAuthorScript::xml({plain, plain, wide, plain, plain}, 5min);
    QStringList commands;
    for (const QRegularExpressionMatch& match : QRegularExpression("<(?:fpc|pre|post)>(.*)</").globalMatch(xml))
        commands << match.captured(1);
    EXPECT_EQ(commands, QStringList({"jump title 1;",
                                     "g1 = g0; g0 = 0; if (g1 eq 3) jump title 3; if (g1 eq 4) jump title 4; "
                                     "jump title 1;",
                                     "jump title 2;", "g0 = 3; call vmgm menu entry title;",
                                     "g0 = 4; call vmgm menu entry title;", "jump title 2;", "exit;"}));
    EXPECT_EQ(xml.count("<titleset>"), 3);
    EXPECT_EQ(DvdAuthorScript::chapters(3600 + 5, 30min), "0,30:00,1:00:00");
    EXPECT_EQ(DvdAuthorScript::chapters(600, 5min), "0,5:00");
    EXPECT_EQ(DvdAuthorScript::chapters(0, 5min), "0");
    EXPECT_EQ(DvdAuthorScript::chapters(36000, 1s).count(','), 98);
    EXPECT_EQ(DvdAuthoring::volumeLabel("Été à Paris, 2024: the long weekend"), "_T____PARIS__2024__THE_LONG_WEEK");
}

// dvdauthor's first pass over a title set counts for 80% of its bytes, the second for the rest.
TEST(DvdAuthoringConsoleTest, ProgressAndComplaintsAreReadFromTheToolsConsoles)
{
    AuthoringConsole authoring({100 << 20, 300 << 20});
    QList<int> permille;
    for (const char* line : {"STAT: Picking VTS 01\n", "STAT: VOBU 16 at 50MB, 1 PGCs\r",
                             "STAT: fixing VOBU at 7MB (17/67, 50%)\r", "STAT: fixed 67 VOBUs     \n",
                             "STAT: Picking VTS 02\n", "STAT: VOBU 99 at 150MB, 2 PGCs\r", "ERR:  no VOBUs found.\n",
                             "STAT: fixed 9 VOBUs\n"}) {
        const std::optional<double> fraction = authoring.line(line);
        permille << (fraction ? qRound(*fraction * 1000) : -1);
    }
    EXPECT_EQ(permille, QList<int>({-1, 100, 225, 250, -1, 550, -1, 1000}));
    EXPECT_EQ(authoring.complaint(), "no VOBUs found.");
    ImagingConsole imaging;
    EXPECT_EQ(qRound(imaging.line(" 15.02% done, estimate finish Mon Dec  7 09:18:46 2026\n").value_or(0) * 1e4), 1502);
    EXPECT_FALSE(imaging.line("33319 extents written (65 MB)\n"));
    EXPECT_FALSE(imaging.line("genisoimage: No space left on device. cannot fwrite 32768*1\n"));
    EXPECT_EQ(imaging.complaint(), "No space left on device. cannot fwrite 32768*1");
}
