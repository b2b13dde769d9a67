#pragma once

#include "EngineError.h"
#include "JobOutcome.h"
#include "JobSettings.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>

class ErrorSheetHandshake;
class JobDisplay;
class MainThread;
class VideoProcessor;

// The fix job for one file: probe it, decide which streams conform, then copy the file
// unchanged or transcode it, showing each stage on the window. Runs on the work queue's
// worker; every window change is handed to the GUI thread and waited for. The output is
// written under a temporary name and takes its final name only once complete.
class FixJob {
public:
    FixJob(MainThread& mainThread, JobDisplay& display, ErrorSheetHandshake& handshake,
           const JobSettings& settings);

    void fixVideo(const QString& path);
    // Any thread: ends the running job's work at once (its ffmpeg is stopped, its partial output
    // removed, no sheet shown). The job then ends as usual.
    void requestStop();

    // "<folder>/<input name without its last extension>.mpg"
    static QString outputPath(const QString& folder, const QString& input);
    // Whether a probed stream may pass through unchanged.
    static bool audioConforms(bool force, const VideoProcessor& processor);
    static bool videoConforms(bool force, const VideoProcessor& processor);

    // The pause with a full bar before the window goes idle, so the user sees the job finish.
    void setFinishPause(std::chrono::milliseconds pause);

private:
    // Registers the running job's record so that a stop request reaches it.
    class RunningJob;

    // What went wrong in the running job, as its sheet showed it.
    struct Failure {
        bool failed = false;
        std::optional<EngineError> error;
    };

    bool show(const std::function<void()>& change);
    void fail(const EngineError& error, Failure& failure);
    // Returns the name the output got; empty when there is none.
    QString produce(VideoProcessor& processor, Failure& failure);
    JobOutcome outcome(const QString& output, const Failure& failure) const;
    bool stopped() const { return stop_; }

    MainThread& mainThread_;
    JobDisplay& display_;
    ErrorSheetHandshake& handshake_;
    const JobSettings& settings_;
    std::chrono::milliseconds finishPause_{500};

    std::mutex runningMutex_;
    VideoProcessor* running_ = nullptr;
    std::atomic<bool> stop_{false};
};
