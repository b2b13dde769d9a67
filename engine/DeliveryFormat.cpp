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
           && facts.video == codec && facts.chroma == chroma
           && (!judgesAspect || facts.displayAspect.reduced() == aspect.reduced());
}

AudioEncoding AudioFormat::encodingOf(const std::optional<QString>& channels) const
{
    const auto layout = std::find_if(layouts.begin(), layouts.end(),
                                     [&](const AudioLayout& known) { return known.name == channels; });
    return layout == layouts.end() ? otherwise : layout->encoding;
}

bool AudioFormat::conforms(const StreamFacts& facts) const
{
    return facts.audio == codec && facts.audioRate == sampleRate && (highestKbps == 0 || facts.audioKbps <= highestKbps)
           && std::any_of(layouts.begin(), layouts.end(),
                          [&](const AudioLayout& known) { return known.name == facts.audioChannels; });
}

AudioFormat AudioFormat::mp2()
{
    const AudioEncoding mono{1, 192}, stereo{2, 192};
    return {.codec = QStringLiteral("mp2"),
            .sampleRate = 48000,
            .layouts = {{QStringLiteral("mono"), mono}, {QStringLiteral("stereo"), stereo}},
            .otherwise = stereo};
}

AudioFormat AudioFormat::ac3()
{
    const AudioEncoding mono{1, 192}, stereo{2, 192}, surround{6, 448};
    return {.codec = QStringLiteral("ac3"),
            .sampleRate = 48000,
            .layouts = {{QStringLiteral("mono"), mono},
                        {QStringLiteral("stereo"), stereo},
                        {QStringLiteral("5.1"), surround},
                        {QStringLiteral("5.1(side)"), surround}},
            .otherwise = stereo,
            // DVD's most for AC-3 is 448 kbit/s.
            .highestKbps = 448};
}

DeliveryFormat DeliveryFormat::ntsc()
{
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
        .audio = AudioFormat::mp2(),
        .container = {.name = QStringLiteral("mpeg"), .dvdMuxer = QStringLiteral("dvd"), .dvdMuxKbps = 10080},
    };
}

DeliveryFormat DeliveryFormat::pal()
{
    DeliveryFormat format = ntsc();
    format.video.height = format.video.tallestHeight = 576;
    format.video.frameRate = {25, 1};
    format.video.dvdLongestGop = 15;
    return format;
}

DeliveryFormat DeliveryFormat::chosen(const OutputOptions& options, const StreamFacts& facts)
{
    // As wide as 1.55:1 a picture looks better widescreen than letterboxed in 4:3.
    constexpr Rational narrowestWide{155, 100};
    DeliveryFormat format = options.standard == TvStandard::Pal ? pal() : ntsc();
    const bool wide = options.shape == PictureShape::Widescreen
                      || (options.shape == PictureShape::LikeSource && facts.shownAspect().value() >= narrowestWide.value());
    if (wide)
        format.video.aspect = {16, 9};
    format.video.judgesAspect = options.shape != PictureShape::FourThree;
    if (options.audio == AudioCodec::Ac3)
        format.audio = AudioFormat::ac3();
    return format;
}
