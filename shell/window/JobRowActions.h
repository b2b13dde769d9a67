#pragma once

#include "JobOutcome.h"

#include <optional>
#include <vector>

// Which of the list's row actions apply to the rows chosen: opening a done file's folder is for
// the row clicked, the rest for every selected row it fits; clearing is for the whole list.
struct JobRowActions {
    bool openFolder = false;
    bool retry = false;
    bool cancel = false;
    bool remove = false;
    bool clearFinished = false;

    static JobRowActions of(const std::vector<JobState>& selected, std::optional<JobState> clicked, bool anyEnded);
    bool operator==(const JobRowActions&) const = default;
};
