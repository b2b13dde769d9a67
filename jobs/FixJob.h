#pragma once

#include "Job.h"
#include "JobSettings.h"
#include "VideoProcessor.h"

#include <QString>

#include <atomic>
#include <optional>
#include <thread>

class OutputFile;

// The fix job for one file: probe it, decide which streams conform, then copy the file
// unchanged or transcode it into a temporary file that takes its final name only once complete.
// The work runs on a thread of the job's own, which reports its stage, progress and outcome by
// signals, and never waits for anyone.
class FixJob : public Job {
    Q_OBJECT

public:
    FixJob(const QString& path, const JobSettings& settings, QObject* parent = nullptr);
    // Stops the work and waits for its thread.
    ~FixJob() override;

    // The input named nothing already when it was queued, so a missing input is said not to
    // exist rather than to be gone. Before start().
    void setMissingWhenQueued() { missingWhenQueued_ = true; }

    void start() override;
    // Ends the work at once: its ffmpeg is stopped, its partial output removed.
    void requestStop() override;

    // "<folder>/<input name without its last extension>.mpg"
    static QString outputPath(const QString& folder, const QString& input);

private:
    // The work, on the job's thread.
    JobOutcome fixVideo();
    // Copies, remuxes or transcodes into `file`, as `made` says; the first error, if any.
    std::optional<EngineError> produce(OutputFile& file, const TranscodePlan& plan, OutputMade made);
    JobOutcome failed(const EngineError& error) const;
    bool stopped() const { return stop_; }

    const QString path_;
    const JobSettings settings_;
    VideoProcessor processor_;
    bool missingWhenQueued_ = false;
    std::atomic<bool> stop_{false};
    // The input's seconds of media, once probed; the job's thread only.
    double duration_ = 0;
    // Last, so that it is joined before the members it uses go.
    std::jthread worker_;
};
