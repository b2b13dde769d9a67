#pragma once

#include <QString>

#include <optional>

// What a probe found out about an input's streams, as the tool's stream lines state it.
struct StreamFacts {
    // The video codec as the stream line names it, "mpeg2video (Main)" or "h264"; empty when the
    // probe saw no video.
    QString video;
    qint64 width = 0;
    qint64 height = 0;
    double frameRate = 0;
    QString audio;
    qint64 audioRate = 0;
    // "mono", "stereo", "5.1", "2 channels"...; nothing when the probe saw no audio.
    std::optional<QString> audioChannels;
    // The input is a DVD program stream already: the probe saw its navigation stream.
    bool dvdNavigation = false;

    bool operator==(const StreamFacts&) const = default;
};
