#include "FailureSheet.h"
#include "RoundSummary.h"
#include "Translations.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// Every mix of outcomes in English and German: each ended file counted once, a copied one
// apart from the others fixed, and only the kinds that happened named.
TEST(RoundSummaryTest, NamesEachKindThatHappenedOnce)
{
    const struct { RoundTally tally; QString english, german; } rows[] = {
        {{.waiting = 1}, "0 of 1 finished", "0 von 1 fertig"},
        {{.fixed = 4, .copied = 1, .failed = 1, .skipped = 1, .running = 1, .waiting = 1},
         "6 of 8 finished: 3 fixed, 1 copied, 1 failed, 1 skipped",
         "6 von 8 fertig: 3 korrigiert, 1 kopiert, 1 fehlgeschlagen, 1 übersprungen"},
        {{.fixed = 2, .copied = 2, .cancelled = 1}, "3 of 3 finished: 2 copied, 1 cancelled",
         "3 von 3 fertig: 2 kopiert, 1 abgebrochen"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(roundSummary(row.tally), row.english);
        const Translations german(QLocale::German);
        EXPECT_EQ(roundSummary(row.tally), row.german);
    }
}

// A failure names its file in the headline, then gives the reason and the full path; with a
// 240-byte name every line wraps within the sheet, which stays within the screen (this test runs
// at scale 1 and 2). Ctrl+Q on it asks the window to close.
TEST(FailureSheetTest, ALongNameWrapsWithinTheScreen)
{
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString name = QString(236, u'x') + ".mp4", path = "/home/ann/Videos/" + name;
    const QString reason = name + " has no picture: mpgfix only converts video.";
    QMessageBox* sheet = openFailureSheet(&window, {JobState::Failed, {}, reason}, path);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    const auto shown = [](const QLabel* label) { return label->text().remove(QChar(0x200B)); };
    const auto* headline = sheet->findChild<QLabel*>("qt_msgbox_label");
    const auto* details = sheet->findChild<QLabel*>("qt_msgbox_informativelabel");
    EXPECT_EQ(std::pair(shown(headline), shown(details)), std::pair("Could not fix " + name, reason + "\n\n" + path));
    EXPECT_TRUE(sheet->screen()->availableGeometry().contains(sheet->frameGeometry()));
    for (const QLabel* label : {headline, details}) {
        EXPECT_TRUE(sheet->rect().contains(QRect(label->mapTo(sheet, QPoint()), label->size())));
        EXPECT_TRUE(label->wordWrap() && label->height() >= label->heightForWidth(label->width()));
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(sheet, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    delete sheet;
}
