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
        const auto number = [](const std::optional<int>& stream) { return stream ? " #" + QString::number(*stream) : QString(); };
        const char* orders[] = {"", " prog", " tff", " bff"};
        return QStringLiteral("[%1%2%3%4] %5x%6 %7fps [%8%9] %10Hz %11")
            .arg(facts.video, facts.chroma.isEmpty() ? "" : " " + facts.chroma, orders[int(facts.fieldOrder)], number(facts.videoStream))
            .arg(facts.width).arg(facts.height).arg(facts.frameRate)
            .arg(facts.audio, number(facts.audioStream)).arg(facts.audioRate).arg(facts.audioChannels.value_or("-"));
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
    TranscodePlan plan;
    plan.encodeVideo = video != 0, plan.encodeAudio = audio != 0, plan.audioChannels = channels;
    return plan;
}

// A fake tool: a shell script at `path`.
inline QString writeTool(const QString& path, const QByteArray& script)
{
    const auto owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    return TestMedia::write(path, "#!/bin/sh\n" + script) && QFile::setPermissions(path, owner) ? path : QString();
}
