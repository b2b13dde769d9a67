#pragma once

#include "FfmpegErrors.h"
#include "TestMedia.h"
#include "TestPrinters.h"
#include "VideoProcessor.h"

#include "DeliveryFormat.h"

#include <QFile>

#include <vector>

using Errors = std::vector<EngineError>;

// A record that keeps what its callbacks are told, with its stream facts in one comparable line.
struct RecordedRun {
    explicit RecordedRun(const QString& path = QStringLiteral("/movies/clip.avi")) : record(path)
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    QString facts() const { return describe(record.facts()); }
    static QString describe(const StreamFacts& facts)
    {
        return QStringLiteral("[%1] %2x%3 %4fps [%5] %6Hz %7")
            .arg(facts.video).arg(facts.width).arg(facts.height).arg(facts.frameRate)
            .arg(facts.audio).arg(facts.audioRate).arg(facts.audioChannels.value_or("-"));
    }
    VideoProcessor record;
    std::vector<double> progress;
    Errors errors;
};

inline Errors oneError(FfmpegErrors::Code code, const QString& description) { return {{"FFMPEG", code, description}}; }
inline Errors transcodeFailed(const QString& why) { return oneError(FfmpegErrors::TranscodeFailed, why); }
// Which streams a transcode encodes (1) or copies (0), at 6 Mbit/s; `channels` of encoded audio.
inline TranscodePlan encoding(int video, int audio, int channels = 2)
{
    return {.encodeVideo = video != 0, .encodeAudio = audio != 0, .audioChannels = channels, .videoKbps = 6000, .options = {}};
}

// A fake tool: a shell script at `path`.
inline QString writeTool(const QString& path, const QByteArray& script)
{
    const auto owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    return TestMedia::write(path, "#!/bin/sh\n" + script) && QFile::setPermissions(path, owner) ? path : QString();
}
