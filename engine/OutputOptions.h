#pragma once

#include <QtGlobal>

// The television standard of the outputs: its frame size and rate.
enum class TvStandard { Ntsc, Pal };
// The display shape of a re-encoded picture; like the source means 16:9 for a wide one.
enum class PictureShape { FourThree, Widescreen, LikeSource };
enum class AudioCodec { Mp2, Ac3 };
// How much effort the encoder spends on a picture, for more quality at the same bitrate.
enum class Quality { Standard, Better, Best };

// What the user asks of every output beyond the delivery format itself; the defaults give the
// plain output.
struct OutputOptions {
    // Re-encode every stream, conforming or not.
    bool reencodeAll = false;
    // Kilobits per second of re-encoded video.
    qint64 videoKbps = 6000;
    // A DVD program stream within DVD's rates, which an authoring tool takes as it is.
    bool dvd = false;
    // A re-encoded picture keeps its displayed shape inside the frame, with black bars.
    bool keepProportions = false;
    TvStandard standard = TvStandard::Ntsc;
    PictureShape shape = PictureShape::FourThree;
    AudioCodec audio = AudioCodec::Mp2;
    Quality quality = Quality::Standard;

    bool operator==(const OutputOptions&) const = default;
};
