#pragma once

#include "JobOutcome.h"

// What became of the files of one round: the files queued from the moment none was running or
// waiting until again none is (the last one's failure may still be on show).
struct RoundTally {
    // Done, however the output was made: the user reads every one as fixed.
    int fixed = 0;
    // Of the fixed files, those copied whole, byte for byte.
    int copied = 0;
    int failed = 0;
    int skipped = 0;
    int cancelled = 0;
    int running = 0;
    int waiting = 0;

    int ended() const { return fixed + failed + skipped + cancelled; }
    int total() const { return ended() + running + waiting; }
    // A file of the round has ended as `outcome` says; `by` -1 takes back one that is tried again.
    void count(const JobOutcome& outcome, int by = 1)
    {
        fixed += by * (outcome.state == JobState::Done);
        copied += by * (outcome.state == JobState::Done && outcome.made == OutputMade::Copied);
        failed += by * (outcome.state == JobState::Failed);
        skipped += by * (outcome.state == JobState::Skipped);
        cancelled += by * (outcome.state == JobState::Cancelled);
    }
    bool operator==(const RoundTally&) const = default;
};
