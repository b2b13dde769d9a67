#include "JobRowActions.h"

#include <gtest/gtest.h>

// The list's context menu offers an action only where it does something: opening the folder of
// the done row clicked, retrying an ended file that was not done, cancelling a running one,
// removing any that does not run, clearing once any has ended.
TEST(JobRowActions, FollowTheStatesOfTheRowsChosen)
{
    using enum JobState;
    const struct { std::vector<JobState> selected; std::optional<JobState> clicked; bool anyEnded; JobRowActions expected; } cases[] = {
        {{}, std::nullopt, false, {}},
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
