#include "TranscodePlan.h"

#include <limits>

namespace {

QString kbps(qint64 rate) { return QStringLiteral("%1k").arg(rate); }

// Fits the picture as it is displayed (its sample aspect ratio applied, and turned upright, which
// the tool does before any filter) into the frame shown at its aspect, and fills the rest black:
// at full height a picture of aspect `dar` is height * dar / pixel aspect = dar * width / aspect
// pixels wide, at full width aspect * height / dar lines tall. Sizes stay even for 4:2:0 chroma.
QString proportionsFilter(const VideoFormat& video, bool interlaced)
{
    const Rational halfWidthOverAspect = Rational{video.width, 2} / video.aspect;
    const Rational halfHeightTimesAspect = Rational{video.height, 2} * video.aspect;
    return QStringLiteral("scale=w='if(gt(dar,%1),%2,trunc(%3*dar)*2)':h='if(gt(dar,%1),trunc(%4/dar)*2,%5)'")
               .arg(video.aspect.toString(), QString::number(video.width), halfWidthOverAspect.toString(),
                    halfHeightTimesAspect.toString(), QString::number(video.height))
           + (interlaced ? QStringLiteral(":interl=1") : QString())
           + QStringLiteral(",pad=%1:%2:(ow-iw)/2:%3:black,setsar=%4")
                 .arg(video.width)
                 .arg(video.height)
                 .arg(interlaced ? QStringLiteral("trunc((oh-ih)/4)*2") : QStringLiteral("(oh-ih)/2"),
                      video.sampleAspect().toString());
}

// The filters that bring the picture to the frame, if any are needed beyond the tool's own
// scaling. Fields are scaled apart, lest each line blend with the other field's, chroma too, as
// the scaler that sizes them also makes the 4:2:0; they start on an even line, lest the two
// swap, and are marked in their order, which the encoder writes.
QString pictureFilters(const TranscodePlan& plan)
{
    const VideoFormat& video = plan.format.video;
    const bool interlaced = video.interlaced
                            && (plan.fieldOrder == FieldOrder::TopFirst || plan.fieldOrder == FieldOrder::BottomFirst);
    QString filters;
    if (plan.options.keepProportions)
        filters = proportionsFilter(video, interlaced);
    else if (interlaced)
        filters = QStringLiteral("scale=%1:%2:interl=1").arg(video.width).arg(video.height);
    if (interlaced)
        filters += QStringLiteral(",format=%1,setfield=%2")
                       .arg(video.chroma,
                            plan.fieldOrder == FieldOrder::TopFirst ? QStringLiteral("tff") : QStringLiteral("bff"));
    return filters;
}

QStringList videoArguments(const TranscodePlan& plan)
{
    const VideoFormat& video = plan.format.video;
    QStringList arguments;
    if (const QString filters = pictureFilters(plan); !filters.isEmpty())
        arguments << QStringLiteral("-vf") << filters;
    arguments << QStringLiteral("-vcodec") << video.codec << QStringLiteral("-pix_fmt") << video.chroma
              << QStringLiteral("-b") << kbps(plan.options.videoKbps);
    // Beyond Standard the encoder looks for motion field by field too, and spends effort where it
    // bought the most quality for its time on a hard interlaced clip (bench: the quality figures):
    // Better about 1.4 times Standard's transcode, Best about 4 times.
    const bool effort = plan.options.quality != Quality::Standard;
    if (video.interlaced)
        arguments << QStringLiteral("-flags") << (effort ? QStringLiteral("+ildct+ilme") : QStringLiteral("ildct"));
    if (effort)
        arguments << QStringLiteral("-bf") << QStringLiteral("2") << QStringLiteral("-trellis") << QStringLiteral("1")
                  << QStringLiteral("-intra_vlc") << QStringLiteral("1") << QStringLiteral("-last_pred")
                  << QStringLiteral("3");
    if (plan.options.quality == Quality::Best)
        arguments << QStringLiteral("-mbd") << QStringLiteral("rd") << QStringLiteral("-mpv_flags") << QStringLiteral("+qp_rd")
                  << QStringLiteral("-cmp") << QStringLiteral("2") << QStringLiteral("-subcmp") << QStringLiteral("2")
                  << QStringLiteral("-mbcmp") << QStringLiteral("2") << QStringLiteral("-ildctcmp") << QStringLiteral("2")
                  << QStringLiteral("-dia_size") << QStringLiteral("2") << QStringLiteral("-mepre") << QStringLiteral("2")
                  << QStringLiteral("-pre_dia_size") << QStringLiteral("2");
    // Told to hundredths as the tool prints it, the rate comes out as the format's own.
    return arguments << QStringLiteral("-r") << QString::number(video.printedFrameRate().value())
                     << QStringLiteral("-s") << QStringLiteral("%1x%2").arg(video.width).arg(video.height)
                     << QStringLiteral("-aspect")
                     << QStringLiteral("%1:%2").arg(video.aspect.numerator).arg(video.aspect.denominator);
}

} // namespace

TranscodePlan TranscodePlan::forInput(const StreamFacts& facts, const OutputOptions& options,
                                      const DeliveryFormat& format)
{
    TranscodePlan plan;
    plan.format = format;
    plan.options = options;
    plan.encodeVideo = options.reencodeAll || !format.video.conforms(facts);
    plan.encodeAudio = options.reencodeAll || !format.audio.conforms(facts);
    plan.audioEncoding = format.audio.encodingOf(facts.audioChannels);
    plan.videoStream = facts.videoStream;
    plan.audioStream = facts.audioStream;
    plan.fieldOrder = facts.fieldOrder;
    return plan;
}

bool TranscodePlan::copiesWholeFile(const StreamFacts& facts) const
{
    return !encodeVideo && !encodeAudio && facts.container == format.container.name
           && (!options.dvd || facts.dvdNavigation);
}

qint64 TranscodePlan::expectedBytes(const StreamFacts& facts, qint64 inputBytes) const
{
    if (copiesWholeFile(facts))
        return inputBytes;
    const qint64 rate = (encodeVideo ? options.videoKbps : 0) + (encodeAudio ? audioEncoding.kbps : 0);
    const double encoded = double(rate) * 1000 / 8 * facts.duration;
    // A damaged file may claim a length no disk holds, in more bytes than a count can hold.
    if (!(encoded < 0x1p62))
        return std::numeric_limits<qint64>::max();
    return qint64(encoded) + (encodeVideo && encodeAudio ? 0 : inputBytes);
}

QStringList TranscodePlan::arguments(const QString& input, const QString& output) const
{
    QStringList arguments{QStringLiteral("-y")};
    // Streams copied from a container that leaves timestamps out (AVI, with B-frames) would not
    // mux into a program stream without them; the flag acts on the input, so it comes before it.
    if (!encodeVideo && !encodeAudio)
        arguments << QStringLiteral("-fflags") << QStringLiteral("+genpts");
    arguments << QStringLiteral("-i") << input;
    // Left to itself the tool would write the streams it rates best, not those judged.
    if (videoStream)
        arguments << QStringLiteral("-map") << QStringLiteral("0:v:%1").arg(*videoStream);
    if (audioStream)
        arguments << QStringLiteral("-map") << QStringLiteral("0:a:%1").arg(*audioStream);
    if (encodeVideo)
        arguments << videoArguments(*this);
    else
        arguments << QStringLiteral("-vcodec") << QStringLiteral("copy");
    if (encodeAudio)
        arguments << QStringLiteral("-acodec") << format.audio.codec << QStringLiteral("-ab")
                  << kbps(audioEncoding.kbps) << QStringLiteral("-ar") << QString::number(format.audio.sampleRate)
                  << QStringLiteral("-ac") << QString::number(audioEncoding.channels);
    else
        arguments << QStringLiteral("-acodec") << QStringLiteral("copy");
    if (options.dvd) {
        // DVD's ceiling on the video and its GOP length bind only a picture we encode.
        if (encodeVideo)
            arguments << QStringLiteral("-maxrate") << kbps(format.video.dvdPeakKbps) << QStringLiteral("-bufsize")
                      << kbps(format.video.dvdBufferKbit) << QStringLiteral("-g")
                      << QString::number(format.video.dvdLongestGop);
        arguments << QStringLiteral("-f") << format.container.dvdMuxer << QStringLiteral("-muxrate")
                  << kbps(format.container.dvdMuxKbps);
    }
    return arguments << output;
}
