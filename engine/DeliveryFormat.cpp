#include "DeliveryFormat.h"

namespace {

constexpr qint64 frameWidth = 720;
constexpr qint64 frameHeight = 480;
// An NTSC picture of 486 lines is in the format as well: players show it as 480.
constexpr qint64 tallestConformingHeight = 486;
constexpr double frameRate = double(DeliveryFormat::framesPerHundredSeconds) / 100;
constexpr qint64 audioRate = 48000;
constexpr qint64 audioKbps = 192;

// The only chroma MPEG-2 Main Profile and DVD players take.
constexpr auto chroma = "yuv420p";

// Fits the picture as it is displayed (its sample aspect ratio applied, and turned upright, which
// the tool does before any filter) into 720x480 pixels shown at 4:3, each 8:9 wide, and fills the
// rest black. Sizes stay even for 4:2:0 chroma. %1 is the scaler's interlace option, %2 the
// picture's top line.
constexpr auto proportionsFilter =
    "scale=w='if(gt(dar,4/3),720,trunc(270*dar)*2)':h='if(gt(dar,4/3),trunc(320/dar)*2,480)'%1,"
    "pad=720:480:(ow-iw)/2:%2:black,setsar=8/9";

// The filters that bring the picture to the frame, if any are needed beyond the tool's own
// scaling. Fields are scaled apart, lest each line blend with the other field's, chroma too, as
// the scaler that sizes them also makes the 4:2:0; they start on an even line, lest the two
// swap, and are marked in their order, which the encoder writes.
QString pictureFilters(const TranscodePlan& plan)
{
    const bool interlaced = plan.fieldOrder == FieldOrder::TopFirst || plan.fieldOrder == FieldOrder::BottomFirst;
    QString filters;
    if (plan.options.keepProportions)
        filters = QString::fromLatin1(proportionsFilter)
                      .arg(interlaced ? QStringLiteral(":interl=1") : QString(),
                           interlaced ? QStringLiteral("trunc((oh-ih)/4)*2") : QStringLiteral("(oh-ih)/2"));
    else if (interlaced)
        filters = QStringLiteral("scale=%1:%2:interl=1").arg(frameWidth).arg(frameHeight);
    if (interlaced)
        filters += QStringLiteral(",format=%1,setfield=%2")
                       .arg(QString::fromLatin1(chroma),
                            plan.fieldOrder == FieldOrder::TopFirst ? QStringLiteral("tff") : QStringLiteral("bff"));
    return filters;
}

} // namespace

namespace DeliveryFormat {

bool videoConforms(const StreamFacts& facts)
{
    return facts.height <= tallestConformingHeight && facts.width <= frameWidth && facts.frameRate == frameRate
           && facts.video == QLatin1String("mpeg2video") && facts.chroma == QLatin1String(chroma);
}

bool audioConforms(const StreamFacts& facts)
{
    return facts.audio == QLatin1String("mp2") && facts.audioRate == audioRate
           && (facts.audioChannels == QLatin1String("mono") || facts.audioChannels == QLatin1String("stereo"));
}

TranscodePlan plan(const StreamFacts& facts, bool reencodeAll, qint64 videoKbps, const OutputOptions& options)
{
    TranscodePlan plan;
    plan.encodeVideo = reencodeAll || !videoConforms(facts);
    plan.encodeAudio = reencodeAll || !audioConforms(facts);
    plan.audioChannels = facts.audioChannels == QLatin1String("mono") ? 1 : 2;
    plan.videoKbps = videoKbps;
    plan.options = options;
    plan.videoStream = facts.videoStream;
    plan.audioStream = facts.audioStream;
    plan.fieldOrder = facts.fieldOrder;
    return plan;
}

bool copiesWholeFile(const StreamFacts& facts, const TranscodePlan& plan)
{
    return !plan.encodeVideo && !plan.encodeAudio && (!plan.options.dvd || facts.dvdNavigation);
}

qint64 expectedBytes(const StreamFacts& facts, const TranscodePlan& plan, qint64 inputBytes)
{
    if (copiesWholeFile(facts, plan))
        return inputBytes;
    const qint64 kbps = (plan.encodeVideo ? plan.videoKbps : 0) + (plan.encodeAudio ? audioKbps : 0);
    const auto encoded = qint64(double(kbps) * 1000 / 8 * facts.duration);
    return encoded + (plan.encodeVideo && plan.encodeAudio ? 0 : inputBytes);
}

QStringList transcodeArguments(const QString& input, const QString& output, const TranscodePlan& plan)
{
    QStringList arguments{QStringLiteral("-y")};
    // Streams copied from a container that leaves timestamps out would not mux into a program
    // stream without them.
    if (plan.options.dvd && !plan.encodeVideo && !plan.encodeAudio)
        arguments << QStringLiteral("-fflags") << QStringLiteral("+genpts");
    arguments << QStringLiteral("-i") << input;
    // Left to itself the tool would write the streams it rates best, not those judged.
    if (plan.videoStream)
        arguments << QStringLiteral("-map") << QStringLiteral("0:v:%1").arg(*plan.videoStream);
    if (plan.audioStream)
        arguments << QStringLiteral("-map") << QStringLiteral("0:a:%1").arg(*plan.audioStream);
    if (plan.encodeVideo) {
        if (const QString filters = pictureFilters(plan); !filters.isEmpty())
            arguments << QStringLiteral("-vf") << filters;
        arguments << QStringLiteral("-vcodec") << QStringLiteral("mpeg2video") << QStringLiteral("-pix_fmt")
                  << QString::fromLatin1(chroma) << QStringLiteral("-b")
                  << QStringLiteral("%1k").arg(plan.videoKbps) << QStringLiteral("-flags") << QStringLiteral("ildct")
                  << QStringLiteral("-r") << QString::number(frameRate) << QStringLiteral("-s")
                  << QStringLiteral("%1x%2").arg(frameWidth).arg(frameHeight) << QStringLiteral("-aspect")
                  << QStringLiteral("4:3");
    } else {
        arguments << QStringLiteral("-vcodec") << QStringLiteral("copy");
    }
    if (plan.encodeAudio) {
        arguments << QStringLiteral("-acodec") << QStringLiteral("mp2") << QStringLiteral("-ab")
                  << QStringLiteral("%1k").arg(audioKbps) << QStringLiteral("-ar") << QString::number(audioRate)
                  << QStringLiteral("-ac") << QString::number(plan.audioChannels);
    } else {
        arguments << QStringLiteral("-acodec") << QStringLiteral("copy");
    }
    if (plan.options.dvd) {
        // DVD's ceiling on the video and its GOP length bind only a picture we encode.
        if (plan.encodeVideo)
            arguments << QStringLiteral("-maxrate") << QStringLiteral("9000k") << QStringLiteral("-bufsize")
                      << QStringLiteral("1835k") << QStringLiteral("-g") << QStringLiteral("18");
        arguments << QStringLiteral("-f") << QStringLiteral("dvd") << QStringLiteral("-muxrate")
                  << QStringLiteral("10080k");
    }
    arguments << output;
    return arguments;
}

} // namespace DeliveryFormat
