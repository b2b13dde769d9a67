#include "DiscSheet.h"

#include "EventLoop.h"
#include "TestMedia.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

TEST(DiscSheetTest, TheSummarySaysHowLongAtWhatRateOnWhichDisc)
{
    EXPECT_EQ(DiscSheet::summary(6120, 5800, "DVD-5"), "1 h 42 min of video at 5.8 Mbit/s on a DVD-5");
    EXPECT_EQ(DiscSheet::summary(2519, 8000, "DVD-9"), "42 min of video at 8.0 Mbit/s on a DVD-9");
    EXPECT_EQ(DiscSheet::summary(3600, 7950, "DVD-5"), "1 h 0 min of video at 8.0 Mbit/s on a DVD-5");
    EXPECT_EQ(DiscSheet::summary(10, 8000, "DVD-5"), "1 min of video at 8.0 Mbit/s on a DVD-5");
}

// Start is offered only for a disc that can be made; the line under the choices says why not.
// Driven as a person does: keys on the list and the title, a click on Start.
TEST(DiscSheetTest, StartWaitsForEveryCheckedFileToBeAVideoAndForAUsableTitle)
{
    const TestMedia::TestFolder media;
    ASSERT_TRUE(TestMedia::makeClip(media.filePath("clip.mp4"), TestMedia::h264AacMono()));
    ASSERT_TRUE(TestMedia::write(media.filePath("notes.mp4"), "no video\n"));
    DiscSheet sheet(nullptr, {media.filePath("clip.mp4"), media.filePath("notes.mp4")}, {}, media.path());
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    auto* list = sheet.findChild<QListWidget*>("fileList");
    auto* summary = sheet.findChild<QLabel*>("summaryLabel");
    auto* title = sheet.findChild<QLineEdit*>("titleEdit");
    QAbstractButton* start = nullptr;
    for (QAbstractButton* button : sheet.findChild<QDialogButtonBox*>("buttons")->buttons())
        start = button->text() == "&Start" ? button : start;
    ASSERT_NE(start, nullptr);
    QList<DiscChoice> started;
    QObject::connect(&sheet, &DiscSheet::startRequested, [&](const DiscChoice& chosen) { started << chosen; });

    ASSERT_TRUE(spinUntil([&] { return list->item(1)->text() == "notes.mp4 (not a video)"; }, 20000));
    EXPECT_EQ(summary->text(), "notes.mp4 is not a video that can go on a disc.");
    EXPECT_FALSE(start->isEnabled());
    list->setFocus();
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(summary->text(), "1 min of video at 8.0 Mbit/s on a DVD-5");
    EXPECT_TRUE(start->isEnabled());
    for (const char* unusable : {"a/b", ".."}) {
        QTest::keyClick(title, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(title, unusable);
        EXPECT_FALSE(start->isEnabled()) << unusable;
    }
    QTest::keyClick(title, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(title, Qt::Key_Backspace);
    EXPECT_FALSE(start->isEnabled());
    QTest::keyClicks(title, "Trip");
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].files, QStringList{media.filePath("clip.mp4")});
    EXPECT_EQ(started[0].options.image, media.filePath("Trip.iso"));
}
