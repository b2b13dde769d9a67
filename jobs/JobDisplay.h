#pragma once

#include "EngineError.h"
#include "JobOutcome.h"

#include <QString>

#include <functional>

// What a fix job shows of itself. Every operation runs on the GUI thread; the job reaches
// them through MainThread::call, which waits until they are done.
class JobDisplay {
public:
    virtual ~JobDisplay() = default;

    virtual void showAnalyzing(const QString& path) = 0;
    virtual void showCopying(const QString& path) = 0;
    virtual void showTranscoding(const QString& path) = 0;
    virtual void showProgress(double fraction) = 0;
    // How the job ended; shown just before endJob.
    virtual void showOutcome(const JobOutcome& outcome) = 0;
    virtual void endJob() = 0;
    // Opens a window-modal error sheet and returns at once; `dismissed` runs on the GUI thread
    // when the user closes the sheet.
    virtual void presentError(const EngineError& error, std::function<void()> dismissed) = 0;
};
