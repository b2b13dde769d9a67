#include "JobRowActions.h"

#include <algorithm>

JobRowActions JobRowActions::of(const std::vector<JobState>& selected, std::optional<JobState> clicked, bool anyEnded)
{
    const auto any = [&selected](bool (*fits)(JobState)) { return std::any_of(selected.begin(), selected.end(), fits); };
    const auto runs = [](JobState state) { return state != JobState::Waiting && !hasEnded(state); };
    JobRowActions actions;
    actions.openFolder = clicked == JobState::Done;
    actions.retry = any([](JobState state) { return hasEnded(state) && state != JobState::Done; });
    actions.cancel = any(runs);
    actions.remove = any([](JobState state) { return state == JobState::Waiting || hasEnded(state); });
    actions.clearFinished = anyEnded;
    return actions;
}
