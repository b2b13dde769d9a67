#pragma once

#include "EngineError.h"
#include "VideoProcessor.h"

#include <atomic>

class JobDisplay;
class MainThread;

// Shows a job's error in the window and holds the worker until the user has dismissed it.
// The GUI thread only opens the sheet and returns; the worker polls `dialogDone`.
class ErrorSheetHandshake {
public:
    ErrorSheetHandshake(MainThread& mainThread, JobDisplay& display);

    // The job's errorCallback: marks `failed`, shows the sheet and waits for its dismissal.
    // `dialogDone` is left as the dismissal set it; the job clears it before its probe.
    VideoProcessor::ErrorCallback errorHandler(bool& failed);
    // The same for an error of the job itself, with `dialogDone` cleared before and after.
    void presentJobError(const EngineError& error, bool& failed);
    // GUI thread: the sheet was closed.
    void dismissedError();

    std::atomic<bool> dialogDone{false};

private:
    void showAndWait(const EngineError& error, bool& failed);

    MainThread& mainThread_;
    JobDisplay& display_;
};
