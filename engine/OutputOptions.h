#pragma once

#include <QtGlobal>

// The user's choices for an output, which together with the delivery format make its plan.
struct OutputOptions {
    // Re-encode every stream, conforming or not.
    bool reencodeAll = false;
    // Kilobits per second of re-encoded video.
    qint64 videoKbps = 6000;
    // A DVD program stream within DVD's rates, which an authoring tool takes as it is.
    bool dvd = false;
    // A re-encoded picture keeps its displayed shape inside the frame, with black bars.
    bool keepProportions = false;

    bool operator==(const OutputOptions&) const = default;
};
