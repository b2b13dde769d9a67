#include "ErrorSheetHandshake.h"

#include "JobDisplay.h"
#include "MainThread.h"

#include <chrono>
#include <thread>

namespace {
constexpr auto pollInterval = std::chrono::milliseconds(100);
}

ErrorSheetHandshake::ErrorSheetHandshake(MainThread& mainThread, JobDisplay& display)
    : mainThread_(mainThread), display_(display)
{
}

VideoProcessor::ErrorCallback ErrorSheetHandshake::errorHandler(bool& failed)
{
    return [this, &failed](const EngineError& error) { showAndWait(error, failed); };
}

void ErrorSheetHandshake::presentJobError(const EngineError& error, bool& failed)
{
    dialogDone = false;
    showAndWait(error, failed);
    dialogDone = false;
}

void ErrorSheetHandshake::dismissedError() { dialogDone = true; }

void ErrorSheetHandshake::showAndWait(const EngineError& error, bool& failed)
{
    const bool shown = mainThread_.call([&] {
        failed = true;
        display_.presentError(error, [this] { dismissedError(); });
    });
    if (!shown) {
        // The app is going away and nobody will see the sheet: the job still counts as failed.
        failed = true;
        return;
    }
    while (!dialogDone && !mainThread_.isClosed())
        std::this_thread::sleep_for(pollInterval);
}
