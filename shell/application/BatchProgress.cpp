#include "BatchProgress.h"

#include <algorithm>

namespace {

// The speed of the first moments says little: each tool starts up before it gets going.
constexpr double settleSeconds = 2.0;

} // namespace

void BatchProgress::started(JobListModel::Id id) { running_[id] = {}; }

void BatchProgress::lengthKnown(JobListModel::Id id, double seconds)
{
    const auto found = running_.find(id);
    if (found == running_.end() || found->second.seconds > 0 || !(seconds > 0))
        return;
    found->second.seconds = seconds;
    knownSeconds_ += seconds;
    ++knownFiles_;
}

void BatchProgress::progressed(JobListModel::Id id, double fraction)
{
    if (const auto found = running_.find(id); found != running_.end())
        found->second.fraction = fraction;
}

void BatchProgress::ended(JobListModel::Id id, JobState state)
{
    const auto found = running_.find(id);
    if (found == running_.end())
        return;
    const double seconds = found->second.seconds;
    running_.erase(found);
    if (state == JobState::Cancelled)
        return;
    if (seconds > 0)
        endedSeconds_ += seconds;
    else
        ++endedUnknown_;
    if (state == JobState::Done)
        fixedSeconds_ += seconds;
}

BatchProgress::Estimate BatchProgress::estimate(int files, double elapsed) const
{
    const double mean = knownFiles_ > 0 ? knownSeconds_ / knownFiles_ : 1.0;
    const double total = knownSeconds_ + std::max(files - knownFiles_, 0) * mean;
    double done = endedSeconds_ + endedUnknown_ * mean;
    double fixed = fixedSeconds_;
    for (const auto& [id, file] : running_) {
        done += (file.seconds > 0 ? file.seconds : mean) * file.fraction;
        fixed += file.seconds * file.fraction;
    }
    Estimate estimate;
    estimate.fraction = total > 0 ? std::clamp(done / total, 0.0, 1.0) : 0.0;
    if (fixed > 0 && elapsed >= settleSeconds) {
        estimate.speed = fixed / elapsed;
        estimate.secondsLeft = std::max(total - done, 0.0) / *estimate.speed;
    }
    return estimate;
}
