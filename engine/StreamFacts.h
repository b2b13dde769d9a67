#pragma once

#include "Rational.h"

#include <QString>

#include <optional>

// How a picture's lines were taken, as the stream line says: at one time, or as two fields, the
// named one shown first.
enum class FieldOrder { Unknown, Progressive, TopFirst, BottomFirst };

// What a probe found out about an input's streams, as the tool's stream lines state it: of the
// one video and the one audio stream a transcode writes.
struct StreamFacts {
    // The video codec's name, "mpeg2video" or "h264", without profile or tag; empty when the
    // probe saw no video.
    QString video;
    qint64 width = 0;
    qint64 height = 0;
    double frameRate = 0;
    // The pixel format, which says the chroma: "yuv420p", "yuv422p", "yuv411p"...
    QString chroma;
    FieldOrder fieldOrder = FieldOrder::Unknown;
    QString audio;
    qint64 audioRate = 0;
    // "mono", "stereo", "5.1", "2 channels"...; nothing when the probe saw no audio.
    std::optional<QString> audioChannels;
    // The streams judged, counted among the input's video or audio streams as the tool's 0:v:N
    // and 0:a:N count them, attached pictures among the video; nothing when there is none.
    std::optional<int> videoStream;
    std::optional<int> audioStream;
    // Seconds, from the probe's first usable Duration line; 0 when it gave none.
    double duration = 0;
    // The input's container as the tool names it: "mpeg" for a program stream, "matroska,webm"...
    QString container;
    // The input is a DVD program stream already: the probe saw its navigation stream.
    bool dvdNavigation = false;
    // The picture's shape as the stream says it is shown ("DAR 16:9"), else its frame's; 0/1
    // when the probe saw no video.
    Rational displayAspect{0, 1};
    // Its metadata turns the picture a quarter, so that it is shown upright, or on its side.
    bool quarterTurned = false;
    // Kilobits per second of the sound, as the stream line gives them; 0 when it gives none.
    qint64 audioKbps = 0;

    // The shape the picture is seen in, turned as its metadata says.
    Rational shownAspect() const
    {
        return quarterTurned ? Rational{displayAspect.denominator, displayAspect.numerator} : displayAspect;
    }

    bool operator==(const StreamFacts&) const = default;
};
