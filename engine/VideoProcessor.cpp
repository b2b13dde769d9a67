#include "VideoProcessor.h"

#include "ConsoleLineReader.h"
#include "ConsoleParser.h"
#include "FfmpegErrors.h"
#include "ToolLocator.h"
#include "ToolMessageLine.h"
#include "ToolProcess.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

QString describeStartFailure(const ToolProcess::StartFailure& failure, const QString& tool)
{
    const QString reason = qt_error_string(failure.errorNumber);
    switch (failure.step) {
    case ToolProcess::StartFailure::Step::Pipe:
        return QStringLiteral("Could not make a pipe to run ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Stream:
        return QStringLiteral("Could not read the output of ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Spawn:
        break;
    }
    return QStringLiteral("ffmpeg could not be started from %1: %2").arg(tool, reason);
}

int startFailureCode(const ToolProcess::StartFailure& failure)
{
    return failure.step == ToolProcess::StartFailure::Step::Spawn ? FfmpegErrors::SpawnFailed
                                                                    : FfmpegErrors::PipeFailed;
}

QString describeExit(const ToolProcess::ExitStatus& status)
{
    if (status.kind == ToolProcess::ExitStatus::Kind::Signaled)
        return QStringLiteral("ffmpeg was ended by signal %1").arg(status.value);
    return QStringLiteral("ffmpeg exited with status %1").arg(status.value);
}

QList<QByteArray> encodeArguments(const QStringList& arguments)
{
    QList<QByteArray> encoded;
    encoded.reserve(arguments.size());
    for (const QString& argument : arguments)
        encoded.append(QFile::encodeName(argument));
    return encoded;
}

} // namespace

VideoProcessor::VideoProcessor(const QString& file) : path_(file) {}

void VideoProcessor::runFFMPEG(const QStringList& arguments) { run(arguments, ExitStatusUse::Ignore); }

void VideoProcessor::loadInformation() { run(probeArguments(path()), ExitStatusUse::Ignore); }

void VideoProcessor::transcode(const QString& output, int videoFormat, int audioFormat, qint64 bitrate)
{
    run(transcodeArguments(path(), output, videoFormat, audioFormat, bitrate, audioChannels()),
        ExitStatusUse::ReportFailure);
}

QStringList VideoProcessor::probeArguments(const QString& input) { return {QStringLiteral("-i"), input}; }

QStringList VideoProcessor::transcodeArguments(const QString& input, const QString& output, int videoFormat,
                                               int audioFormat, qint64 bitrate,
                                               const std::optional<QString>& audioChannels)
{
    QStringList arguments{QStringLiteral("-y"), QStringLiteral("-i"), input};
    if (videoFormat != 0) {
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
    arguments << output;
    return arguments;
}

void VideoProcessor::run(const QStringList& arguments, ExitStatusUse exitStatusUse)
{
    QString tool = toolPath();
    if (tool.isEmpty()) {
        const ToolLocator locator = ToolLocator::forThisProcess();
        const std::optional<QString> found = locator.locate();
        if (!found) {
            report(EngineError{FfmpegErrors::domain, FfmpegErrors::ToolNotFound,
                               QStringLiteral("ffmpeg could not be found or started; looked in %1 and on PATH")
                                   .arg(locator.resourceDir())});
            return;
        }
        tool = *found;
    }

    ConsoleParser parser(*this);
    if (!parser.prepare())
        return;

    ToolProcess process;
    if (const auto failure = process.start(QFile::encodeName(tool), encodeArguments(arguments))) {
        report(EngineError{FfmpegErrors::domain, startFailureCode(*failure), describeStartFailure(*failure, tool)});
        return;
    }

    std::array<char, consoleLineBufferSize> line;
    ToolMessageLine lastMessage;
    while (readConsoleLine(line.data(), static_cast<int>(line.size()), process.output())) {
        if (exitStatusUse == ExitStatusUse::ReportFailure)
            lastMessage.offer(line.data());
        if (parser.line(line.data()) == ConsoleParser::Verdict::Stop) {
            // The tool would go on encoding beside the next job; it must end with this run.
            process.kill();
            return;
        }
    }

    const ToolProcess::ExitStatus status = process.wait();
    if (exitStatusUse == ExitStatusUse::ReportFailure && status.failed()) {
        const QString reason = lastMessage.text().isEmpty() ? describeExit(status) : lastMessage.text();
        report(EngineError{FfmpegErrors::domain, FfmpegErrors::TranscodeFailed,
                           QStringLiteral("Could not transcode %1: %2").arg(QFileInfo(path()).fileName(), reason)});
    }
}

void VideoProcessor::report(const EngineError& error) const
{
    if (const ErrorCallback errorCallback = this->errorCallback())
        errorCallback(error);
}

QString VideoProcessor::toolPath() const
{
    std::lock_guard lock(mutex_);
    return toolPath_;
}

void VideoProcessor::setToolPath(const QString& toolPath)
{
    std::lock_guard lock(mutex_);
    toolPath_ = toolPath;
}

QString VideoProcessor::path() const
{
    std::lock_guard lock(mutex_);
    return path_;
}

void VideoProcessor::setPath(const QString& path)
{
    std::lock_guard lock(mutex_);
    path_ = path;
}

QString VideoProcessor::video() const
{
    std::lock_guard lock(mutex_);
    return video_;
}

void VideoProcessor::setVideo(const QString& video)
{
    std::lock_guard lock(mutex_);
    video_ = video;
}

QString VideoProcessor::audio() const
{
    std::lock_guard lock(mutex_);
    return audio_;
}

void VideoProcessor::setAudio(const QString& audio)
{
    std::lock_guard lock(mutex_);
    audio_ = audio;
}

qint64 VideoProcessor::width() const
{
    std::lock_guard lock(mutex_);
    return width_;
}

void VideoProcessor::setWidth(qint64 width)
{
    std::lock_guard lock(mutex_);
    width_ = width;
}

qint64 VideoProcessor::height() const
{
    std::lock_guard lock(mutex_);
    return height_;
}

void VideoProcessor::setHeight(qint64 height)
{
    std::lock_guard lock(mutex_);
    height_ = height;
}

qint64 VideoProcessor::audioRate() const
{
    std::lock_guard lock(mutex_);
    return audioRate_;
}

void VideoProcessor::setAudioRate(qint64 audioRate)
{
    std::lock_guard lock(mutex_);
    audioRate_ = audioRate;
}

std::optional<QString> VideoProcessor::audioChannels() const
{
    std::lock_guard lock(mutex_);
    return audioChannels_;
}

void VideoProcessor::setAudioChannels(const std::optional<QString>& audioChannels)
{
    std::lock_guard lock(mutex_);
    audioChannels_ = audioChannels;
}

double VideoProcessor::frameRate() const
{
    std::lock_guard lock(mutex_);
    return frameRate_;
}

void VideoProcessor::setFrameRate(double frameRate)
{
    std::lock_guard lock(mutex_);
    frameRate_ = frameRate;
}

VideoProcessor::ProgressCallback VideoProcessor::callback() const
{
    std::lock_guard lock(mutex_);
    return callback_;
}

void VideoProcessor::setCallback(const ProgressCallback& callback)
{
    // The old closure is released outside the lock, so its captures may touch the record.
    ProgressCallback previous = callback;
    {
        std::lock_guard lock(mutex_);
        std::swap(callback_, previous);
    }
}

VideoProcessor::ErrorCallback VideoProcessor::errorCallback() const
{
    std::lock_guard lock(mutex_);
    return errorCallback_;
}

void VideoProcessor::setErrorCallback(const ErrorCallback& errorCallback)
{
    // The old closure is released outside the lock, so its captures may touch the record.
    ErrorCallback previous = errorCallback;
    {
        std::lock_guard lock(mutex_);
        std::swap(errorCallback_, previous);
    }
}
