#pragma once

#include "TestMedia.h"
#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <QFile>

#include <vector>

using Errors = std::vector<EngineError>;

// A record that keeps the errors it reports; `describe` puts stream facts in one comparable line.
struct RecordedRun {
    explicit RecordedRun(const QString& path = QStringLiteral("/movies/clip.avi")) : record(path)
    {
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    static QString describe(const StreamFacts& facts)
    {
        const auto number = [](const std::optional<int>& s) { return s ? " #" + QString::number(*s) : QString(); };
        const char* orders[] = {"", " prog", " tff", " bff"};
        return QStringLiteral("[%1%2%3%4] %5x%6 %7fps [%8%9] %10Hz %11")
            .arg(facts.video, facts.chroma.isEmpty() ? "" : " " + facts.chroma, orders[int(facts.fieldOrder)],
                 number(facts.videoStream))
            .arg(facts.width).arg(facts.height).arg(facts.frameRate)
            .arg(facts.audio, number(facts.audioStream)).arg(facts.audioRate).arg(facts.audioChannels.value_or("-"))
            + (facts.container.isEmpty() ? "" : " in " + facts.container)
            + (facts.video.isEmpty() || facts.displayAspect == Rational{facts.width, facts.height}
                   ? "" : " DAR " + facts.displayAspect.toString())
            + (facts.quarterTurned ? " turned" : "") + (facts.audioKbps ? QString(" %1kb/s").arg(facts.audioKbps) : "");
    }
    VideoProcessor record;
    Errors errors;
};

inline Errors oneError(ErrorKind kind, const QString& description) { return {{kind, description}}; }

// A fake tool: a shell script at `path`.
inline QString writeTool(const QString& path, const QByteArray& script)
{
    const auto owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    return TestMedia::write(path, "#!/bin/sh\n" + script) && QFile::setPermissions(path, owner) ? path : QString();
}
