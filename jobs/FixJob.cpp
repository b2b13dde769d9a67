#include "FixJob.h"

#include "ErrorSheetHandshake.h"
#include "FileCopy.h"
#include "JobDisplay.h"
#include "MainThread.h"
#include "OutputFile.h"
#include "VideoProcessor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 maxConformingWidth = 720;
constexpr qint64 maxConformingHeight = 486;
constexpr double conformingFrameRate = 29.97;
constexpr qint64 conformingAudioRate = 48000;

EngineError jobError(const QString& description)
{
    return {QStringLiteral("mpgfix"), 1, description};
}

QString kindOfFile(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FixJob", "a named pipe (FIFO)");
    if (S_ISCHR(mode))
        return QCoreApplication::translate("FixJob", "a character device");
    if (S_ISBLK(mode))
        return QCoreApplication::translate("FixJob", "a block device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("FixJob", "a socket");
    return QCoreApplication::translate("FixJob", "not a regular file");
}

// Why the input cannot be probed at all; checked before ffmpeg runs, since a pipe or a device
// would keep it waiting for ever.
std::optional<EngineError> inputRefusal(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status;
    if (::stat(encoded.constData(), &status) != 0) {
        // Bytes that are not UTF-8 reach us as replacement characters and name no file.
        if (errno == ENOENT && path.contains(QChar::ReplacementCharacter))
            return jobError(QCoreApplication::translate(
                                "FixJob", "mpgfix cannot open names that are not valid UTF-8: rename the file %1.")
                                .arg(name));
        if (errno == ENOENT)
            return jobError(QCoreApplication::translate("FixJob", "%1 no longer exists.").arg(name));
        return jobError(
            QCoreApplication::translate("FixJob", "Could not open %1: %2").arg(name, qt_error_string(errno)));
    }
    if (S_ISDIR(status.st_mode))
        return jobError(QCoreApplication::translate("FixJob", "The folder %1 holds no video files.").arg(name));
    if (!S_ISREG(status.st_mode))
        return jobError(
            QCoreApplication::translate("FixJob", "%1 is %2, not a video file.").arg(name, kindOfFile(status.st_mode)));
    if (::access(encoded.constData(), R_OK) != 0)
        return jobError(QCoreApplication::translate("FixJob", "mpgfix may not read %1.").arg(name));
    return std::nullopt;
}

} // namespace

class FixJob::RunningJob {
public:
    RunningJob(FixJob& job, VideoProcessor& processor) : job_(job)
    {
        std::lock_guard lock(job_.runningMutex_);
        job_.running_ = &processor;
        job_.stop_ = false;
    }
    ~RunningJob()
    {
        std::lock_guard lock(job_.runningMutex_);
        job_.running_ = nullptr;
    }
    RunningJob(const RunningJob&) = delete;
    RunningJob& operator=(const RunningJob&) = delete;

private:
    FixJob& job_;
};

FixJob::FixJob(MainThread& mainThread, JobDisplay& display, ErrorSheetHandshake& handshake,
               const JobSettings& settings)
    : mainThread_(mainThread), display_(display), handshake_(handshake), settings_(settings)
{
}

void FixJob::setFinishPause(std::chrono::milliseconds pause) { finishPause_ = pause; }

QString FixJob::outputPath(const QString& folder, const QString& input)
{
    QString name = QFileInfo(input).fileName();
    // Only the last extension goes, and a leading dot names a file rather than starting one.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return QStringLiteral("%1/%2.mpg").arg(folder, name);
}

bool FixJob::audioConforms(bool force, const VideoProcessor& processor)
{
    const auto channels = processor.audioChannels();
    return !force && processor.audio() == QLatin1String("mp2") && processor.audioRate() == conformingAudioRate
           && (channels == QLatin1String("mono") || channels == QLatin1String("stereo"));
}

bool FixJob::videoConforms(bool force, const VideoProcessor& processor)
{
    return !force && processor.height() <= maxConformingHeight && processor.width() <= maxConformingWidth
           && processor.frameRate() == conformingFrameRate && processor.video() == QLatin1String("mpeg2video");
}

void FixJob::requestStop()
{
    std::lock_guard lock(runningMutex_);
    stop_ = true;
    if (running_)
        running_->requestStop();
}

bool FixJob::show(const std::function<void()>& change) { return mainThread_.call(change); }

void FixJob::fixVideo(const QString& path)
{
    VideoProcessor processor(path);
    const RunningJob running(*this, processor);
    // A window that is gone cannot show the job: the app is shutting down.
    if (!show([&] { display_.showAnalyzing(path); }))
        return;

    Failure failure;
    handshake_.dialogDone = false;
    const VideoProcessor::ErrorCallback showError = handshake_.errorHandler(failure.failed);
    processor.setErrorCallback([&](const EngineError& error) {
        failure.error = error;
        showError(error);
    });
    if (const auto refusal = inputRefusal(path))
        fail(*refusal, failure);
    else
        processor.loadInformation();

    QString output;
    if (!failure.failed && !stopped())
        output = produce(processor, failure);
    const JobOutcome ended = outcome(output, failure);
    show([&] {
        display_.showOutcome(ended);
        display_.endJob();
    });
}

void FixJob::fail(const EngineError& error, Failure& failure)
{
    failure.error = error;
    handshake_.presentJobError(error, failure.failed);
}

JobOutcome FixJob::outcome(const QString& output, const Failure& failure) const
{
    if (!output.isEmpty())
        return {JobState::Done, output, {}};
    const QString reason = failure.error ? failure.error->description : QString();
    // A taken name is the user's own rule at work, not a fault of the file.
    if (failure.error && OutputFile::isNameTaken(*failure.error))
        return {JobState::Skipped, {}, reason};
    if (failure.failed)
        return {JobState::Failed, {}, reason};
    return {JobState::Cancelled, {}, {}};
}

// Copies or transcodes into a temporary file and gives it its final name once it is complete.
QString FixJob::produce(VideoProcessor& processor, Failure& failure)
{
    processor.setCallback([this](double fraction) { show([&] { display_.showProgress(fraction); }); });
    const bool audioOk = audioConforms(settings_.force(), processor);
    const bool videoOk = videoConforms(settings_.force(), processor);
    const QString input = processor.path();
    const QString output = outputPath(settings_.path(), input);
    const NameTaken rule = settings_.nameTaken();

    std::optional<EngineError> refusal = OutputFile::refusal(output, input, rule);
    const QString folder = QFileInfo(output).path();
    if (!refusal && !QDir().mkpath(folder))
        refusal = jobError(
            QCoreApplication::translate("FixJob", "Could not create the destination folder %1.").arg(folder));
    if (refusal) {
        fail(*refusal, failure);
        return {};
    }
    OutputFile file(output);
    if (const auto error = file.creationError()) {
        fail(*error, failure);
        return {};
    }

    const OutputOptions options{settings_.dvd(), settings_.keepProportions()};
    // Conforming streams in another container are copied into a DVD program stream.
    const bool remux = audioOk && videoOk && options.dvd && !processor.dvdNavigation();
    if (audioOk && videoOk && !remux) {
        show([&] { display_.showCopying(input); });
        if (const auto error = copyFileInto(input, file, stop_); error && !stopped())
            fail(*error, failure);
    } else {
        show([&] { remux ? display_.showCopying(input) : display_.showTranscoding(input); });
        file.closeDescriptor();
        // The user hears of the file they asked for, and the room a failure took is free again
        // while they read about it.
        const VideoProcessor::ErrorCallback showError = processor.errorCallback();
        processor.setErrorCallback([&](const EngineError& error) {
            EngineError shown = error;
            shown.description.replace(file.temporaryPath(), output);
            file.discard();
            showError(shown);
        });
        processor.transcode(file.temporaryPath(), videoOk ? 0 : 1, audioOk ? 0 : 1, settings_.bitrate() * 1000,
                            options);
        processor.setErrorCallback(showError);
    }
    if (stopped())
        return {};
    if (!failure.failed) {
        if (const auto error = file.moveIntoPlace(rule, input))
            fail(*error, failure);
    }
    show([&] { display_.showProgress(1.0); });
    std::this_thread::sleep_for(finishPause_);
    return file.finalPath();
}
