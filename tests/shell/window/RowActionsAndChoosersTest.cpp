#include "ChosenFiles.h"
#include "JobRowActions.h"

#include "TestMedia.h"

#include <QFileDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

// The list's context menu offers an action only where it does something: opening the folder of
// the done row clicked, retrying an ended file that was not done, cancelling a running one,
// removing any that does not run, clearing once any has ended.
TEST(JobRowActions, FollowTheStatesOfTheRowsChosen)
{
    using enum JobState;
    const struct { std::vector<JobState> selected; std::optional<JobState> clicked; bool anyEnded; JobRowActions expected; } cases[] = {
        {{}, std::nullopt, true, {.clearFinished = true}},
        {{Waiting}, Waiting, false, {.remove = true}},
        {{Analyzing}, Analyzing, false, {.cancel = true}},
        {{Copying, Waiting}, Copying, false, {.cancel = true, .remove = true}},
        {{Transcoding}, Transcoding, true, {.cancel = true, .clearFinished = true}},
        {{Done}, Done, true, {.openFolder = true, .remove = true, .clearFinished = true}},
        {{Failed}, Failed, true, {.retry = true, .remove = true, .clearFinished = true}},
        {{Skipped}, Skipped, true, {.retry = true, .remove = true, .clearFinished = true}},
        {{Cancelled}, Cancelled, true, {.retry = true, .remove = true, .clearFinished = true}},
        {{Done, Transcoding}, Transcoding, true, {.cancel = true, .remove = true, .clearFinished = true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JobRowActions::of(c.selected, c.clicked, c.anyEnded), c.expected) << &c - cases;
}

// A typed name the chooser's filter hides still counts as chosen, so that the intake can say it
// left it out; a typed name that is no file does not.
TEST(ChosenFiles, TypedNamesTheFilterHidesAreKept)
{
    TestMedia::TestFolder folder;
    for (const char* name : {"a.mp4", "song.m4a"})
        ASSERT_TRUE(TestMedia::write(folder.filePath(name), "x"));
    const QString a = folder.filePath("a.mp4"), song = folder.filePath("song.m4a");
    QFileDialog chooser(nullptr, {}, folder.path());
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    auto* nameField = chooser.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_TRUE(nameField);
    const struct { QString typed; QStringList selected, chosen; } cases[] = {
        {R"("song.m4a" "a.mp4")", {a}, {a, song}},
        {song, {}, {song}},
        {R"("gone.mp4" "a.mp4")", {a}, {a}},
        {"", {a}, {a}},
    };
    for (const auto& c : cases) {
        nameField->setText(c.typed);
        EXPECT_EQ(chosenFiles(chooser, c.selected), c.chosen) << c.typed.toStdString();
    }
}
