#pragma once

#include "JobListModel.h"

#include <map>
#include <optional>

// How far a batch run has come, weighed by the files' seconds of media, so that a 3-minute file
// counts for more than a 10-second one, and how long the rest will take at the speed so far.
// A file whose length is not known yet weighs as much as the mean of those known. A cancelled
// file counts as not done, so that a stop never pushes the run forward.
class BatchProgress {
public:
    struct Estimate {
        // 0..1 of the run's media.
        double fraction = 0;
        // Seconds of media fixed per second of the run; nothing in its first moments.
        std::optional<double> speed;
        // Seconds until the last file ends at that speed; nothing while the speed is unknown.
        std::optional<double> secondsLeft;
    };

    void started(JobListModel::Id id);
    void lengthKnown(JobListModel::Id id, double seconds);
    void progressed(JobListModel::Id id, double fraction);
    void ended(JobListModel::Id id, JobState state);

    // Where a run of `files` files in all stands after `elapsed` seconds.
    Estimate estimate(int files, double elapsed) const;

private:
    struct Running {
        double seconds = 0;
        double fraction = 0;
    };

    std::map<JobListModel::Id, Running> running_;
    // Of the files whose length is known, running or ended.
    double knownSeconds_ = 0;
    int knownFiles_ = 0;
    // Of the ended files that count as done: their seconds, and how many have no known length.
    double endedSeconds_ = 0;
    int endedUnknown_ = 0;
    // The seconds of media of the files fixed.
    double fixedSeconds_ = 0;
};
