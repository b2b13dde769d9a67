#pragma once

#include <QString>

#include <chrono>

class ErrorSheetHandshake;
class JobDisplay;
class JobSettings;
class MainThread;

// The fix job for one file: probe it, decide which streams conform, then copy the file
// unchanged or transcode it, showing each stage on the window. Runs on the work queue's
// worker; every window change is handed to the GUI thread and waited for.
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

    // The pause with a full bar before the window goes idle, so the user sees the job finish.
    void setFinishPause(std::chrono::milliseconds pause);

private:
    bool show(const std::function<void()>& change);
    bool checkDestination(const QString& input, const QString& output, bool& failed);

    MainThread& mainThread_;
    JobDisplay& display_;
    ErrorSheetHandshake& handshake_;
    const JobSettings& settings_;
    std::chrono::milliseconds finishPause_{500};
};
