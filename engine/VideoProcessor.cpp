#include "VideoProcessor.h"

#include "ConsoleLineReader.h"
#include "FfmpegErrors.h"
#include "ToolComplaint.h"
#include "ToolLocator.h"
#include "ToolProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstring>

namespace {

QString describeStartFailure(const ToolProcess::StartFailure& failure, const QString& tool)
{
    const QString reason = qt_error_string(failure.errorNumber);
    switch (failure.step) {
    case ToolProcess::StartFailure::Step::Pipe:
        return QCoreApplication::translate("VideoProcessor", "Could not make a pipe to run ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Stream:
        return QCoreApplication::translate("VideoProcessor", "Could not read the output of ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Spawn:
        break;
    }
    return QCoreApplication::translate("VideoProcessor", "ffmpeg could not be started from %1: %2").arg(tool, reason);
}

int startFailureCode(const ToolProcess::StartFailure& failure)
{
    return failure.step == ToolProcess::StartFailure::Step::Spawn ? FfmpegErrors::SpawnFailed
                                                                    : FfmpegErrors::PipeFailed;
}

// A tool ended by a signal printed nothing about it; otherwise its own complaint says most.
QString describeFailure(const ToolProcess::ExitStatus& status, const QString& complaint)
{
    if (status.kind == ToolProcess::ExitStatus::Kind::Signaled) {
        const char* description = sigdescr_np(status.value);
        return QCoreApplication::translate("VideoProcessor", "ffmpeg was stopped by signal %1 (%2)")
            .arg(status.value)
            .arg(description != nullptr ? QString::fromUtf8(description)
                                        : QCoreApplication::translate("VideoProcessor", "unknown signal"));
    }
    if (!complaint.isEmpty())
        return complaint;
    return QCoreApplication::translate("VideoProcessor", "ffmpeg exited with status %1").arg(status.value);
}

QList<QByteArray> encodeArguments(const QStringList& arguments)
{
    QList<QByteArray> encoded;
    encoded.reserve(arguments.size());
    for (const QString& argument : arguments)
        encoded.append(QFile::encodeName(argument));
    return encoded;
}

// Fits the picture as it is displayed (its sample aspect ratio applied, and turned upright, which
// the tool does before any filter) into 720x480 pixels shown at 4:3, each 8:9 wide, and fills the
// rest black. Sizes stay even for 4:2:0 chroma.
constexpr auto proportionsFilter =
    "scale=w='if(gt(dar,4/3),720,trunc(270*dar)*2)':h='if(gt(dar,4/3),trunc(320/dar)*2,480)',"
    "pad=720:480:(ow-iw)/2:(oh-ih)/2:black,setsar=8/9";

} // namespace

VideoProcessor::VideoProcessor(const QString& file) : path_(file) {}

void VideoProcessor::runFFMPEG(const QStringList& arguments) { run(arguments, ConsoleParser::Run::Probe); }

void VideoProcessor::loadInformation() { run(probeArguments(path()), ConsoleParser::Run::Probe); }

void VideoProcessor::transcode(const QString& output, int videoFormat, int audioFormat, qint64 bitrate,
                               const OutputOptions& options)
{
    run(transcodeArguments(path(), output, videoFormat, audioFormat, bitrate, audioChannels(), options),
        ConsoleParser::Run::Transcode);
}

void VideoProcessor::requestStop() { stopSwitch_.request(); }

bool VideoProcessor::stopRequested() const { return stopSwitch_.requested(); }

QStringList VideoProcessor::probeArguments(const QString& input) { return {QStringLiteral("-i"), input}; }

QStringList VideoProcessor::transcodeArguments(const QString& input, const QString& output, int videoFormat,
                                               int audioFormat, qint64 bitrate,
                                               const std::optional<QString>& audioChannels,
                                               const OutputOptions& options)
{
    QStringList arguments{QStringLiteral("-y")};
    // Streams copied from a container that leaves timestamps out would not mux into a program
    // stream without them.
    if (options.dvd && videoFormat == 0 && audioFormat == 0)
        arguments << QStringLiteral("-fflags") << QStringLiteral("+genpts");
    arguments << QStringLiteral("-i") << input;
    if (videoFormat != 0) {
        if (options.keepProportions)
            arguments << QStringLiteral("-vf") << QString::fromLatin1(proportionsFilter);
        arguments << QStringLiteral("-vcodec") << QStringLiteral("mpeg2video") << QStringLiteral("-b")
                  << QStringLiteral("%1k").arg(bitrate) << QStringLiteral("-flags") << QStringLiteral("ildct")
                  << QStringLiteral("-r") << QStringLiteral("29.97") << QStringLiteral("-s")
                  << QStringLiteral("720x480") << QStringLiteral("-aspect") << QStringLiteral("4:3");
    } else {
        arguments << QStringLiteral("-vcodec") << QStringLiteral("copy");
    }
    if (audioFormat != 0) {
        const int channels = audioChannels == QStringLiteral("mono") ? 1 : 2;
        arguments << QStringLiteral("-acodec") << QStringLiteral("mp2") << QStringLiteral("-ab")
                  << QStringLiteral("192k") << QStringLiteral("-ar") << QStringLiteral("48000")
                  << QStringLiteral("-ac") << QString::number(channels);
    } else {
        arguments << QStringLiteral("-acodec") << QStringLiteral("copy");
    }
    if (options.dvd) {
        // DVD's ceiling on the video and its GOP length bind only a picture we encode.
        if (videoFormat != 0)
            arguments << QStringLiteral("-maxrate") << QStringLiteral("9000k") << QStringLiteral("-bufsize")
                      << QStringLiteral("1835k") << QStringLiteral("-g") << QStringLiteral("18");
        arguments << QStringLiteral("-f") << QStringLiteral("dvd") << QStringLiteral("-muxrate")
                  << QStringLiteral("10080k");
    }
    arguments << output;
    return arguments;
}

void VideoProcessor::run(const QStringList& arguments, ConsoleParser::Run kind)
{
    if (stopRequested())
        return;
    QString tool = toolPath();
    if (tool.isEmpty()) {
        const ToolLocator locator = ToolLocator::forThisProcess();
        const std::optional<QString> found = locator.locate();
        if (!found) {
            report(EngineError{FfmpegErrors::domain, FfmpegErrors::ToolNotFound,
                               QCoreApplication::translate(
                                   "VideoProcessor", "ffmpeg could not be found or started; looked in %1 and on PATH")
                                   .arg(locator.resourceDir())});
            return;
        }
        tool = *found;
    }

    ConsoleParser parser(*this, kind);
    if (!parser.prepare())
        return;

    ToolProcess process;
    if (const auto failure = process.start(QFile::encodeName(tool), encodeArguments(arguments))) {
        report(EngineError{FfmpegErrors::domain, startFailureCode(*failure), describeStartFailure(*failure, tool)});
        return;
    }
    const StopSwitch::Attachment stoppable(stopSwitch_, process);
    // A stop that came while the tool was being started has not reached it; leaving kills it.
    if (stopRequested())
        return;

    std::array<char, consoleLineBufferSize> line;
    ToolComplaint complaint;
    while (readConsoleLine(line.data(), static_cast<int>(line.size()), process.output())) {
        // A stopped tool's last words are read to the end of its output, and ignored.
        if (stopRequested())
            continue;
        complaint.offer(line.data());
        if (parser.line(line.data()) == ConsoleParser::Verdict::Stop) {
            // The tool would go on encoding beside the next job; it must end with this run.
            process.kill();
            return;
        }
    }

    const ToolProcess::ExitStatus status = process.wait();
    if (kind == ConsoleParser::Run::Transcode && status.failed()) {
        report(EngineError{FfmpegErrors::domain, FfmpegErrors::TranscodeFailed,
                           QCoreApplication::translate("VideoProcessor", "Could not transcode %1: %2")
                               .arg(QFileInfo(path()).fileName(), describeFailure(status, complaint.text()))});
    }
}

void VideoProcessor::report(const EngineError& error) const
{
    if (stopRequested())
        return;
    if (const ErrorCallback errorCallback = this->errorCallback())
        errorCallback(error);
}

QString VideoProcessor::toolPath() const { return toolPath_.get(); }
void VideoProcessor::setToolPath(const QString& toolPath) { toolPath_.set(toolPath); }

QString VideoProcessor::path() const { return path_.get(); }
void VideoProcessor::setPath(const QString& path) { path_.set(path); }

QString VideoProcessor::video() const { return video_.get(); }
void VideoProcessor::setVideo(const QString& video) { video_.set(video); }

QString VideoProcessor::audio() const { return audio_.get(); }
void VideoProcessor::setAudio(const QString& audio) { audio_.set(audio); }

qint64 VideoProcessor::width() const { return width_.get(); }
void VideoProcessor::setWidth(qint64 width) { width_.set(width); }

qint64 VideoProcessor::height() const { return height_.get(); }
void VideoProcessor::setHeight(qint64 height) { height_.set(height); }

qint64 VideoProcessor::audioRate() const { return audioRate_.get(); }
void VideoProcessor::setAudioRate(qint64 audioRate) { audioRate_.set(audioRate); }

std::optional<QString> VideoProcessor::audioChannels() const { return audioChannels_.get(); }
void VideoProcessor::setAudioChannels(const std::optional<QString>& audioChannels) { audioChannels_.set(audioChannels); }

double VideoProcessor::frameRate() const { return frameRate_.get(); }
void VideoProcessor::setFrameRate(double frameRate) { frameRate_.set(frameRate); }

bool VideoProcessor::dvdNavigation() const { return dvdNavigation_.get(); }
void VideoProcessor::setDvdNavigation(bool dvdNavigation) { dvdNavigation_.set(dvdNavigation); }

VideoProcessor::ProgressCallback VideoProcessor::callback() const { return callback_.get(); }
void VideoProcessor::setCallback(const ProgressCallback& callback) { callback_.set(callback); }

VideoProcessor::ErrorCallback VideoProcessor::errorCallback() const { return errorCallback_.get(); }
void VideoProcessor::setErrorCallback(const ErrorCallback& errorCallback) { errorCallback_.set(errorCallback); }
