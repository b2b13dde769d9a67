#pragma once

// What an output is made for beyond the delivery format itself; both off gives the plain output.
struct OutputOptions {
    // A DVD program stream within DVD's rates, which an authoring tool takes as it is.
    bool dvd = false;
    // A re-encoded picture keeps its displayed shape inside the 4:3 frame, with black bars.
    bool keepProportions = false;

    bool operator==(const OutputOptions&) const = default;
};
