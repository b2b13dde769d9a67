#pragma once

#include "OutputOptions.h"
#include "Rational.h"
#include "StreamFacts.h"

#include <QList>
#include <QString>

// The picture of an output.
struct VideoFormat {
    QString codec;
    // The pixel format, which says the chroma.
    QString chroma;
    qint64 width = 0;
    qint64 height = 0;
    // The tallest picture that conforms: players show a few lines more than the frame's as the
    // frame.
    qint64 tallestHeight = 0;
    Rational frameRate;
    // The frame's shape as it is shown.
    Rational aspect;
    // A stream conforms only in this shape; otherwise its shape is not judged.
    bool judgesAspect = false;
    // Coded in fields; an interlaced source is then scaled field by field and keeps its order.
    bool interlaced = false;
    // What DVD players hold an encoded picture to: frames in a GOP, peak rate, buffer.
    int dvdLongestGop = 0;
    qint64 dvdPeakKbps = 0;
    qint64 dvdBufferKbit = 0;

    // The frame rate to hundredths, as the tool prints it and is told it: 29.97 for 30000/1001.
    Rational printedFrameRate() const;
    // The shape of one pixel: the frame's aspect spread over its width and height.
    Rational sampleAspect() const { return aspect * Rational{height, width}; }
    // The probed picture is in this format: codec, chroma, size within the frame, rate, and the
    // shape where it is judged.
    bool conforms(const StreamFacts& facts) const;

    bool operator==(const VideoFormat&) const = default;
};

// How an encode writes a sound: its channels and kilobits per second.
struct AudioEncoding {
    int channels = 0;
    qint64 kbps = 0;

    bool operator==(const AudioEncoding&) const = default;
};

// A channel layout as the tool names it ("mono", "5.1(side)"), and how a source in it is encoded.
struct AudioLayout {
    QString name;
    AudioEncoding encoding;

    bool operator==(const AudioLayout&) const = default;
};

// The sound of an output.
struct AudioFormat {
    QString codec;
    qint64 sampleRate = 0;
    // The layouts a sound may be in to conform, names compared exactly.
    QList<AudioLayout> layouts;
    // How a sound in any other layout is encoded.
    AudioEncoding otherwise;
    // A sound at a higher rate does not conform; 0: any rate does.
    qint64 highestKbps = 0;

    // How a source of the layout named `channels` is encoded.
    AudioEncoding encodingOf(const std::optional<QString>& channels) const;
    // MPEG-1 Layer II at 192 kbit/s, mono for a mono source and stereo otherwise.
    static AudioFormat mp2();
    // AC-3, which every NTSC DVD player plays: 192 kbit/s, a 5.1 source staying 5.1 at 448.
    static AudioFormat ac3();
    // The probed sound is in this format: codec, rate, layout, and its bitrate where judged.
    bool conforms(const StreamFacts& facts) const;

    bool operator==(const AudioFormat&) const = default;
};

// The container of an output: a program stream, or one made for DVD.
struct ContainerFormat {
    // The tool's name for the program stream: what it writes for the output's extension, and
    // what an input must be in to be copied whole.
    QString name;
    QString dvdMuxer;
    qint64 dvdMuxKbps = 0;

    bool operator==(const ContainerFormat&) const = default;
};

// A format every output is brought into; it says whether a probed stream is in it already.
struct DeliveryFormat {
    VideoFormat video;
    AudioFormat audio;
    ContainerFormat container;

    // MPEG-2 video 720x480 at 29.97 fps, 4:3, interlaced, 4:2:0, with MP2 sound at 192 kbit/s and
    // 48000 Hz: the format of every output today.
    static DeliveryFormat ntsc();
    // The same at 720x576 and 25 fps.
    static DeliveryFormat pal();
    // The format `options` ask for a source of these facts: its standard, shape and sound.
    static DeliveryFormat chosen(const OutputOptions& options, const StreamFacts& facts);

    bool operator==(const DeliveryFormat&) const = default;
};
