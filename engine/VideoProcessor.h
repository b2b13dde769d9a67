#pragma once

#include "AtomicProperty.h"
#include "ConsoleParser.h"
#include "EngineError.h"
#include "OutputOptions.h"
#include "StopSwitch.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One input file: its stream facts as the encoder tool reports them, and the two runs
// (probe and transcode) that fill them. Every property read or write is whole; a value read
// stays valid after a later write replaces it.
class VideoProcessor {
public:
    using ProgressCallback = std::function<void(double fraction)>;
    using ErrorCallback = std::function<void(const EngineError& error)>;

    VideoProcessor() = default;
    // The constructor the system uses (initWithFile): the record for one input path.
    explicit VideoProcessor(const QString& file);

    VideoProcessor(const VideoProcessor&) = delete;
    VideoProcessor& operator=(const VideoProcessor&) = delete;

    // Runs the encoder tool once with these arguments and parses its console until it ends.
    // The run is judged as a probe is: by the tool's console, not by its exit status.
    void runFFMPEG(const QStringList& arguments);
    // Probes the input file: fills the stream facts.
    void loadInformation();
    // Writes `output` in the delivery format; a non-zero flag re-encodes that stream,
    // zero passes it through. `bitrate` is in kbit/s.
    void transcode(const QString& output, int videoFormat, int audioFormat, qint64 bitrate,
                   const OutputOptions& options = {});

    // Any thread, any time: ends the running run's tool (SIGTERM, SIGKILL after 3 s) and makes
    // this run and every later one return without reporting an error; later runs start nothing.
    void requestStop();
    bool stopRequested() const;

    static QStringList probeArguments(const QString& input);
    static QStringList transcodeArguments(const QString& input, const QString& output, int videoFormat,
                                          int audioFormat, qint64 bitrate,
                                          const std::optional<QString>& audioChannels,
                                          const OutputOptions& options = {});

    // The tool to run; empty (the default) means the one found beside the app or on PATH.
    QString toolPath() const;
    void setToolPath(const QString& toolPath);

    QString path() const;
    void setPath(const QString& path);
    QString video() const;
    void setVideo(const QString& video);
    QString audio() const;
    void setAudio(const QString& audio);
    qint64 width() const;
    void setWidth(qint64 width);
    qint64 height() const;
    void setHeight(qint64 height);
    qint64 audioRate() const;
    void setAudioRate(qint64 audioRate);
    std::optional<QString> audioChannels() const;
    void setAudioChannels(const std::optional<QString>& audioChannels);
    double frameRate() const;
    void setFrameRate(double frameRate);
    // The input is a DVD program stream already: the probe saw its navigation stream.
    bool dvdNavigation() const;
    void setDvdNavigation(bool dvdNavigation);
    ProgressCallback callback() const;
    void setCallback(const ProgressCallback& callback);
    ErrorCallback errorCallback() const;
    void setErrorCallback(const ErrorCallback& errorCallback);

private:
    // A transcode's exit status tells whether its output was written; the probe's does not,
    // since the tool always fails when it is given no output file.
    void run(const QStringList& arguments, ConsoleParser::Run kind);
    // Once a stop has been asked for, the run's end is no failure and goes unreported.
    void report(const EngineError& error) const;

    AtomicProperty<QString> toolPath_;
    AtomicProperty<QString> path_;
    AtomicProperty<QString> video_;
    AtomicProperty<QString> audio_;
    AtomicProperty<qint64> width_;
    AtomicProperty<qint64> height_;
    AtomicProperty<qint64> audioRate_;
    AtomicProperty<std::optional<QString>> audioChannels_;
    AtomicProperty<double> frameRate_;
    AtomicProperty<bool> dvdNavigation_{false};
    AtomicProperty<ProgressCallback> callback_;
    AtomicProperty<ErrorCallback> errorCallback_;
    StopSwitch stopSwitch_;
};
