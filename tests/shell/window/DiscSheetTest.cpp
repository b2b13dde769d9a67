#include "DiscSheet.h"

#include "EventLoop.h"
#include "TestMedia.h"

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
TEST(DiscSheetTest, StartWaitsForEveryCheckedFileToBeAVideoAndForAUsableTitle)
{
    const TestMedia::TestFolder media;
    ASSERT_TRUE(TestMedia::makeClip(media.filePath("clip.mp4"), TestMedia::h264AacMono()));
    ASSERT_TRUE(TestMedia::write(media.filePath("notes.mp4"), "no video\n"));
    DiscSheet sheet(nullptr, {media.filePath("clip.mp4"), media.filePath("notes.mp4")}, {}, media.path());
    auto* list = sheet.findChild<QListWidget*>("fileList");
    auto* summary = sheet.findChild<QLabel*>("summaryLabel");
    auto* title = sheet.findChild<QLineEdit*>("titleEdit");
    const auto start = [&] { return std::holds_alternative<DiscChoice>(sheet.choice()); };

    ASSERT_TRUE(spinUntil([&] { return list->item(1)->text() == "notes.mp4 (not a video)"; }, 20000));
    EXPECT_EQ(summary->text(), "notes.mp4 is not a video that can go on a disc.");
    EXPECT_FALSE(start());
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(summary->text(), "1 min of video at 8.0 Mbit/s on a DVD-5");
    ASSERT_TRUE(start());
    const DiscChoice chosen = std::get<DiscChoice>(sheet.choice());
    EXPECT_EQ(chosen.files, QStringList{media.filePath("clip.mp4")});
    EXPECT_EQ(chosen.options.image, media.filePath("My DVD.iso"));
    for (const char* unusable : {"", "a/b", ".."}) {
        title->setText(unusable);
        EXPECT_FALSE(start()) << unusable;
    }
}
