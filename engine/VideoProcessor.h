#pragma once

#include "ConsoleParser.h"
#include "EngineError.h"
#include "StopSwitch.h"
#include "StreamFacts.h"
#include "TranscodePlan.h"

#include <QString>
#include <QStringList>

#include <functional>

// One input file and the two runs of the encoder tool on it: the probe, which finds its stream
// facts, and the transcode. Used by one thread at a time, but for requestStop(), which any
// thread may call.
class VideoProcessor {
public:
    using ProgressCallback = ConsoleParser::ProgressCallback;
    using ErrorCallback = std::function<void(const EngineError& error)>;

    // The record for one input path (initWithFile).
    explicit VideoProcessor(const QString& file);

    VideoProcessor(const VideoProcessor&) = delete;
    VideoProcessor& operator=(const VideoProcessor&) = delete;

    // Runs the encoder tool once with these arguments and reads its console as a probe's: the
    // facts it states become this file's, and its exit status counts for nothing.
    void runFFMPEG(const QStringList& arguments);
    // Probes the input file and returns its stream facts.
    const StreamFacts& loadInformation();
    // Writes `output` from the input as `plan` says.
    void transcode(const QString& output, const TranscodePlan& plan);

    // Any thread, any time: ends the running run's tool (SIGTERM, SIGKILL after 3 s) and makes
    // this run and every later one return without reporting an error; later runs start nothing.
    void requestStop();
    bool stopRequested() const;

    static QStringList probeArguments(const QString& input);

    // The tool to run; empty (the default) means the one found beside the app or on PATH.
    QString toolPath() const { return toolPath_; }
    void setToolPath(const QString& toolPath) { toolPath_ = toolPath; }
    QString path() const { return path_; }
    // What the last probe found; empty before one.
    const StreamFacts& facts() const { return facts_; }
    void setCallback(ProgressCallback callback) { callback_ = std::move(callback); }
    void setErrorCallback(ErrorCallback errorCallback) { errorCallback_ = std::move(errorCallback); }

private:
    // A transcode's exit status tells whether its output was written; the probe's does not,
    // since the tool always fails when it is given no output file. A transcode writes frames at
    // `frameRate`. The tool may write `output` alone.
    void run(const QStringList& arguments, ConsoleParser::Run kind, const QString& output = {},
             std::optional<Rational> frameRate = std::nullopt);
    // Once a stop has been asked for, the run's end is no failure and goes unreported.
    void report(const EngineError& error) const;

    const QString path_;
    QString toolPath_;
    StreamFacts facts_;
    ProgressCallback callback_;
    ErrorCallback errorCallback_;
    StopSwitch stopSwitch_;
};
