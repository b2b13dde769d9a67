#include "DeliveryFormat.h"

#include <algorithm>
#include <cmath>

Rational VideoFormat::printedFrameRate() const
{
    constexpr qint64 hundredths = 100;
    return {std::llround(frameRate.value() * double(hundredths)), hundredths};
}

bool VideoFormat::conforms(const StreamFacts& facts) const
{
    return facts.height <= tallestHeight && facts.width <= width && facts.frameRate == printedFrameRate().value()
           && facts.video == codec && facts.chroma == chroma;
}

AudioEncoding AudioFormat::encodingOf(const std::optional<QString>& channels) const
{
    const auto layout = std::find_if(layouts.begin(), layouts.end(),
                                     [&](const AudioLayout& known) { return known.name == channels; });
    return layout == layouts.end() ? otherwise : layout->encoding;
}

bool AudioFormat::conforms(const StreamFacts& facts) const
{
    return facts.audio == codec && facts.audioRate == sampleRate
           && std::any_of(layouts.begin(), layouts.end(),
                          [&](const AudioLayout& known) { return known.name == facts.audioChannels; });
}

DeliveryFormat DeliveryFormat::ntsc()
{
    const AudioEncoding mono{1, 192}, stereo{2, 192};
    return {
        .video = {.codec = QStringLiteral("mpeg2video"),
                  // The only chroma MPEG-2 Main Profile and DVD players take.
                  .chroma = QStringLiteral("yuv420p"),
                  .width = 720,
                  .height = 480,
                  // NTSC's full 486 lines, which players show as 480.
                  .tallestHeight = 486,
                  .frameRate = {30000, 1001},
                  .aspect = {4, 3},
                  .interlaced = true,
                  .dvdLongestGop = 18,
                  .dvdPeakKbps = 9000,
                  .dvdBufferKbit = 1835},
        .audio = {.codec = QStringLiteral("mp2"),
                  .sampleRate = 48000,
                  .layouts = {{QStringLiteral("mono"), mono}, {QStringLiteral("stereo"), stereo}},
                  .otherwise = stereo},
        .container = {.name = QStringLiteral("mpeg"), .dvdMuxer = QStringLiteral("dvd"), .dvdMuxKbps = 10080},
    };
}
