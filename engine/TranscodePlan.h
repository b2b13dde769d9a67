#pragma once

#include "DeliveryFormat.h"
#include "OutputOptions.h"
#include "StreamFacts.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a transcode does with each stream of its input to bring it into `format`: copy it as it
// is, or encode it, and how.
struct TranscodePlan {
    DeliveryFormat format = DeliveryFormat::ntsc();
    OutputOptions options;
    bool encodeVideo = true;
    bool encodeAudio = true;
    // Of the encoded audio.
    AudioEncoding audioEncoding = format.audio.otherwise;
    // The streams judged, by their number within their kind; nothing leaves the tool its choice.
    std::optional<int> videoStream;
    std::optional<int> audioStream;
    // Of the source picture.
    FieldOrder fieldOrder = FieldOrder::Unknown;

    // Streams that conform are copied unless the options say to re-encode all.
    static TranscodePlan forInput(const StreamFacts& facts, const OutputOptions& options,
                                  const DeliveryFormat& format);

    // The input may be copied byte for byte: it has nothing to encode and is a program stream
    // already, for a DVD output a DVD one.
    bool copiesWholeFile(const StreamFacts& facts) const;
    // About how many bytes the output takes: a whole copy the input's size; an encode its rates
    // over the duration, and the input's size again for any stream copied beside it.
    qint64 expectedBytes(const StreamFacts& facts, qint64 inputBytes) const;
    // The tool's arguments that write `output` from `input`.
    QStringList arguments(const QString& input, const QString& output) const;

    bool operator==(const TranscodePlan&) const = default;
};
