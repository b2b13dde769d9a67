#include "DiscToolConsole.h"
#include "DvdAuthorScript.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace std::chrono_literals;

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
