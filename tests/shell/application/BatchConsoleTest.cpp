#include "BatchProgress.h"
#include "ConsoleText.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

// A name or message never breaks its line, nor moves the cursor; a plain one stays as it is.
TEST(BatchConsoleTest, ControlCharactersAreWrittenAsCEscapes)
{
    const struct { QString text, quoted, escaped; } cases[] = {
        {"in/a b.mp4", "in/a b.mp4", "in/a b.mp4"},
        {"x\ndone  evil.mov", "\"x\\ndone  evil.mov\"", "x\\ndone  evil.mov"},
        {"a\tb\r\033[2J\"\\", "\"a\\tb\\r\\033[2J\\\"\\\\\"", "a\\tb\\r\\033[2J\"\\"},
        {"\"quoted\"", "\"\\\"quoted\\\"\"", "\"quoted\""},
        {"n\u0085l\u2028", "\"n\\302\\205l\\342\\200\\250\"", "n\\302\\205l\\342\\200\\250"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConsoleText::quotedName(c.text), c.quoted);
        EXPECT_EQ(ConsoleText::escaped(c.text), c.escaped);
    }
    EXPECT_EQ(QStringList({ConsoleText::clock(7.4), ConsoleText::clock(754), ConsoleText::clock(3723)}),
              QStringList({"0:07", "12:34", "1:02:03"}));
}

// The run's fraction weighs each file by its seconds of media, a file not yet probed as the mean
// of those that were; a cancelled file never counts as done; the ETA follows the speed so far.
TEST(BatchConsoleTest, ProgressIsWeighedByTheFilesLengths)
{
    using enum JobState;
    struct Step { JobListModel::Id id; double seconds, fraction; JobState end; };
    const struct { std::vector<Step> steps; int files; double elapsed, fraction, speed, left; } cases[] = {
        // A 3-minute file done, a 10-second one waiting: 180 of 190.
        {{{1, 180, 1, Done}, {2, 10, 0, Analyzing}}, 2, 60, 180.0 / 190, 3, 10.0 / 3},
        // Two of 60 s, one halfway; two files not probed yet weigh 60 each.
        {{{1, 60, 1, Done}, {2, 60, 0.5, Transcoding}}, 4, 30, 90.0 / 240, 3, 50},
        // Cancelled halfway: nothing done, nothing fixed.
        {{{1, 100, 0.5, Cancelled}, {2, 100, 0, Analyzing}}, 2, 10, 0, 0, 0},
        // A file that failed before its probe weighs as the mean, and is over.
        {{{1, 0, 0, Failed}, {2, 30, 1, Done}}, 2, 10, 1, 3, 0},
        // Too early to tell a speed.
        {{{1, 30, 0.1, Transcoding}}, 1, 1, 0.1, 0, 0},
    };
    for (const auto& c : cases) {
        BatchProgress progress;
        for (const Step& step : c.steps) {
            progress.started(step.id);
            progress.lengthKnown(step.id, step.seconds);
            progress.progressed(step.id, step.fraction);
            if (hasEnded(step.end))
                progress.ended(step.id, step.end);
        }
        const BatchProgress::Estimate estimate = progress.estimate(c.files, c.elapsed);
        EXPECT_DOUBLE_EQ(estimate.fraction, c.fraction);
        EXPECT_DOUBLE_EQ(estimate.speed.value_or(0), c.speed);
        EXPECT_DOUBLE_EQ(estimate.secondsLeft.value_or(0), c.left);
    }
}
