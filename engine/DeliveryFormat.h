#pragma once

#include "OutputOptions.h"
#include "StreamFacts.h"

#include <QString>
#include <QStringList>

// What a transcode does with each stream of its input: copy it as it is, or encode it into the
// delivery format, and how.
struct TranscodePlan {
    bool encodeVideo = true;
    bool encodeAudio = true;
    // Of the encoded audio: one for a mono source, two otherwise.
    int audioChannels = 2;
    // Of the encoded video.
    qint64 videoKbps = 6000;
    OutputOptions options;
    // The streams judged, by their number within their kind; nothing leaves the tool its choice.
    std::optional<int> videoStream;
    std::optional<int> audioStream;
    // Of the source picture: one in fields is scaled field by field and keeps its order.
    FieldOrder fieldOrder = FieldOrder::Unknown;

    bool operator==(const TranscodePlan&) const = default;
};

// The one delivery format every output is in: MPEG-2 video 720x480 at 29.97 fps, 4:3,
// interlaced, 4:2:0, with MP2 audio at 192 kbit/s and 48000 Hz. It says whether a probed stream is in
// it already, and which tool arguments bring a stream into it.
namespace DeliveryFormat {

// The format's frame rate, 29.97 fps, in whole frames; a transcode's frame count follows it.
inline constexpr qint64 framesPerHundredSeconds = 2997;

bool videoConforms(const StreamFacts& facts);
bool audioConforms(const StreamFacts& facts);

// Streams that conform are copied unless `reencodeAll`; the rest are encoded at `videoKbps`.
TranscodePlan plan(const StreamFacts& facts, bool reencodeAll, qint64 videoKbps, const OutputOptions& options);
// The input may be copied byte for byte: it has nothing to encode, and for a DVD output it is a
// DVD program stream already.
bool copiesWholeFile(const StreamFacts& facts, const TranscodePlan& plan);

// About how many bytes the output of `plan` takes: a whole copy the input's size; an encode its
// rates over the duration, and the input's size again for any stream copied beside it.
qint64 expectedBytes(const StreamFacts& facts, const TranscodePlan& plan, qint64 inputBytes);

// The tool's arguments that write `output` from `input` as `plan` says.
QStringList transcodeArguments(const QString& input, const QString& output, const TranscodePlan& plan);

} // namespace DeliveryFormat
