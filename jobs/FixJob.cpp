#include "FixJob.h"

#include "ErrorSheetHandshake.h"
#include "FileCopy.h"
#include "JobDisplay.h"
#include "JobSettings.h"
#include "MainThread.h"
#include "VideoProcessor.h"

#include <QDir>
#include <QFileInfo>

#include <thread>

namespace {

constexpr qint64 maxConformingWidth = 720;
constexpr qint64 maxConformingHeight = 486;
constexpr double conformingFrameRate = 29.97;
constexpr qint64 conformingAudioRate = 48000;

bool audioConforms(bool force, const VideoProcessor& processor)
{
    const auto channels = processor.audioChannels();
    return !force && processor.audio() == QLatin1String("mp2") && processor.audioRate() == conformingAudioRate
           && (channels == QLatin1String("mono") || channels == QLatin1String("stereo"));
}

bool videoConforms(bool force, const VideoProcessor& processor)
{
    return !force && processor.height() <= maxConformingHeight && processor.width() <= maxConformingWidth
           && processor.frameRate() == conformingFrameRate && processor.video() == QLatin1String("mpeg2video");
}

EngineError jobError(const QString& description)
{
    return {QStringLiteral("mpgfix"), 1, description};
}

}

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

void FixJob::requestStop() {}

bool FixJob::show(const std::function<void()>& change) { return mainThread_.call(change); }

void FixJob::fixVideo(const QString& path)
{
    // A window that is gone cannot show the job: the app is shutting down.
    if (!show([&] { display_.showAnalyzing(path); }))
        return;

    VideoProcessor processor(path);
    bool failed = false;
    handshake_.dialogDone = false;
    processor.setErrorCallback(handshake_.errorHandler(failed));
    processor.loadInformation();

    if (!failed) {
        processor.setCallback([this](double fraction) { show([&] { display_.showProgress(fraction); }); });
        const bool audioOk = audioConforms(settings_.force(), processor);
        const bool videoOk = videoConforms(settings_.force(), processor);
        const QString output = outputPath(settings_.path(), processor.path());

        if (checkDestination(processor.path(), output, failed)) {
            if (audioOk && videoOk) {
                show([&] { display_.showCopying(path); });
                if (const auto error = copyFile(processor.path(), output))
                    handshake_.presentJobError(*error, failed);
            } else {
                show([&] { display_.showTranscoding(path); });
                const qint64 bitrate = settings_.bitrate() * 1000;
                processor.transcode(output, videoOk ? 0 : 1, audioOk ? 0 : 1, bitrate);
            }
            show([&] { display_.showProgress(1.0); });
            std::this_thread::sleep_for(finishPause_);
        }
    }
    show([&] { display_.endJob(); });
}

// The output must not be the input, and its folder must exist; either failure is shown.
bool FixJob::checkDestination(const QString& input, const QString& output, bool& failed)
{
    const QFileInfo outputInfo(output);
    if (outputInfo.exists() && outputInfo.canonicalFilePath() == QFileInfo(input).canonicalFilePath()) {
        handshake_.presentJobError(
            jobError(QStringLiteral("%1 would be written over itself. Choose another destination folder.")
                         .arg(outputInfo.fileName())),
            failed);
        return false;
    }
    const QString folder = outputInfo.path();
    if (!QDir().mkpath(folder)) {
        handshake_.presentJobError(
            jobError(QStringLiteral("Could not create the destination folder %1.").arg(folder)), failed);
        return false;
    }
    return true;
}
