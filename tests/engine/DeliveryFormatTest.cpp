#include "TranscodePlan.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

// The decision and the tool's arguments, as tables over format values and stream facts. The facts
// of a stream to copy are in today's format, 10 s long in a program stream; the judged streams are
// the second picture and the third sound.

// Today's arguments, pieced from what each choice adds, for every way a plan of today's format goes:
// each stream copied or encoded, for DVD or not, with bars or not, from a picture in fields or not,
// in a program stream or not; and the size expected: an encode's rates over the 10 s, beside the
// input's size for a stream copied. Only a program stream with nothing to encode is copied whole.
TEST(TranscodePlan, ArgumentsAndSizeOfTodaysFormatInEveryCombination)
{
    const QString fit = "scale=w='if(gt(dar,4/3),720,trunc(270*dar)*2)':h='if(gt(dar,4/3),trunc(320/dar)*2,480)'";
    // By bars, then by fields; then the fields' marks by their order.
    const QString filters[2][2] = {{"", "scale=720:480:interl=1"},
                                   {fit + ",pad=720:480:(ow-iw)/2:(oh-ih)/2:black,setsar=8/9",
                                    fit + ":interl=1,pad=720:480:(ow-iw)/2:trunc((oh-ih)/4)*2:black,setsar=8/9"}};
    const QString video = "-vcodec mpeg2video -pix_fmt yuv420p -b 6000k -flags ildct -r 29.97 -s 720x480 -aspect 4:3 ";
    const QString fields[] = {"", ",format=yuv420p,setfield=tff", ",format=yuv420p,setfield=bff"};
    for (int i = 0; i < 96; ++i) {
        const bool encodeVideo = i & 1, encodeAudio = i & 2, dvd = i & 4, bars = i & 8;
        const StreamFacts input{i & 1 ? "h264" : "mpeg2video", 720, 480, 29.97, "yuv420p", FieldOrder(1 + i / 16 % 3),
                                i & 2 ? "aac" : "mp2", 48000, "stereo", 1, 2, 10, i < 48 ? "mpeg" : "avi"};
        const auto plan = TranscodePlan::forInput(input, {.dvd = dvd, .keepProportions = bars}, DeliveryFormat::ntsc());
        const QString vf = filters[bars][i / 16 % 3 > 0] + fields[i / 16 % 3];
        EXPECT_EQ(plan.arguments("in.avi", "out.mpg").join(' '),
                  QString("-y ") + (!encodeVideo && !encodeAudio ? "-fflags +genpts " : "")
                      + "-i in.avi -map 0:v:1 -map 0:a:2 "
                      + (encodeVideo ? (vf.isEmpty() ? "" : "-vf " + vf + " ") + video : "-vcodec copy ")
                      + (encodeAudio ? "-acodec mp2 -ab 192k -ar 48000 -ac 2 " : "-acodec copy ")
                      + (dvd && encodeVideo ? "-maxrate 9000k -bufsize 1835k -g 18 " : "")
                      + (dvd ? "-f dvd -muxrate 10080k " : "") + "out.mpg");
        EXPECT_EQ(std::pair(plan.copiesWholeFile(input), plan.expectedBytes(input, 1000)),
                  std::pair(!encodeVideo && !encodeAudio && !dvd && i < 48, (encodeVideo ? 6000 * 1250LL : 0)
                                + (encodeAudio ? 192 * 1250 : 0) + (encodeVideo && encodeAudio ? 0 : 1000)));
    }
    // A damaged file may claim to last for ever.
    const StreamFacts endless{"h264", 720, 480, 29.97, "yuv420p", {}, "aac", 48000, "stereo", 1, 2, 1e18, "mpeg"};
    EXPECT_EQ(TranscodePlan{}.expectedBytes(endless, 1000), std::numeric_limits<qint64>::max());
}

// Each row breaks one condition of a stream's decision, or asks for another format: its standard,
// and its shape and sound, each judged only where the options choose it; a wide source is one
// shown at 1.55:1 or wider, turned upright by its metadata or not.
TEST(DeliveryFormat, TheOptionsChooseTheFormatAndEveryConditionOfTheDecisionCounts)
{
    using enum PictureShape;
    const auto facts = [](const char* video, const char* chroma, qint64 width, qint64 height, double fps, Rational dar,
                          const char* audio, qint64 rate, std::optional<QString> layout, qint64 kbps) {
        StreamFacts facts{video, width, height, fps, chroma, {}, audio, rate, layout, 0, 0, 10, "mpeg"};
        facts.displayAspect = dar, facts.audioKbps = kbps;
        return facts;
    };
    const auto mpeg2 = [&](qint64 height, double fps, Rational dar, const char* audio, const char* layout, qint64 kbps) {
        return facts("mpeg2video", "yuv420p", 720, height, fps, dar, audio, 48000, layout, kbps);
    };
    StreamFacts upright = mpeg2(480, 29.97, {16, 9}, "ac3", "7.1", 640);
    upright.quarterTurned = true;
    const struct { OutputOptions options; StreamFacts facts; QString aspect; bool videoOk, audioOk; AudioEncoding sound; }
    cases[] = {
        {{}, mpeg2(486, 29.97, {16, 9}, "mp2", "mono", 384), "4:3", true, true, {1, 192}},
        {{}, facts("mpeg2video", "yuv422p", 720, 480, 29.97, {4, 3}, "mp2", 48000, "stereo", 0), "4:3", false, true, {2, 192}},
        {{.reencodeAll = true}, mpeg2(480, 29.97, {4, 3}, "mp2", "stereo", 0), "4:3", false, false, {2, 192}},
        {{}, facts("mpeg2video", "yuv420p", 721, 480, 29.97, {4, 3}, "mp2", 48000, "5.1", 0), "4:3", false, false, {2, 192}},
        {{}, facts("mpeg2video", "yuv420p", 720, 487, 29.97, {4, 3}, "mp2", 44100, "stereo", 0), "4:3", false, false, {2, 192}},
        {{}, facts("mpeg2video", "yuv420p", 720, 480, 29.98, {4, 3}, "aac", 48000, "stereo", 0), "4:3", false, false, {2, 192}},
        {{}, facts("h264", "yuv420p", 352, 240, 29.97, {4, 3}, "mp2", 48000, "Mono", 0), "4:3", false, false, {2, 192}},
        {{}, facts("mpeg2video", "", 352, 240, 29.97, {4, 3}, "mp2", 48000, std::nullopt, 0), "4:3", false, false, {2, 192}},
        {{.shape = Widescreen}, mpeg2(480, 29.97, {4, 3}, "mp2", "mono", 0), "16:9", false, true, {1, 192}},
        {{.shape = LikeSource}, mpeg2(480, 29.97, {31, 20}, "mp2", "5.1", 0), "16:9", false, false, {2, 192}},
        {{.shape = LikeSource}, mpeg2(480, 29.97, {3, 2}, "mp2", "stereo", 0), "4:3", false, true, {2, 192}},
        {{.shape = LikeSource}, upright, "4:3", false, false, {2, 192}},
        {{.standard = TvStandard::Pal}, mpeg2(576, 25, {4, 3}, "mp2", "stereo", 0), "4:3", true, true, {2, 192}},
        {{}, mpeg2(576, 25, {4, 3}, "mp2", "stereo", 0), "4:3", false, true, {2, 192}},
        {{.audio = AudioCodec::Ac3}, mpeg2(480, 29.97, {4, 3}, "ac3", "5.1(side)", 448), "4:3", true, true, {6, 448}},
        {{.audio = AudioCodec::Ac3}, mpeg2(480, 29.97, {4, 3}, "ac3", "5.1", 640), "4:3", true, false, {6, 448}},
        {{.audio = AudioCodec::Ac3}, mpeg2(480, 29.97, {4, 3}, "mp2", "mono", 192), "4:3", true, false, {1, 192}},
    };
    for (const auto& c : cases) {
        const DeliveryFormat format = DeliveryFormat::chosen(c.options, c.facts);
        const auto plan = TranscodePlan::forInput(c.facts, c.options, format);
        EXPECT_EQ(std::tuple(format.video.aspect.toString().replace('/', ':'), !plan.encodeVideo, !plan.encodeAudio,
                             plan.audioEncoding), std::tuple(c.aspect, c.videoOk, c.audioOk, c.sound))
            << &c - cases;
    }
}

// The chosen format changes the arguments as it says: PAL's frame, rate and GOP; 16:9's bars and
// pixel shape, in fractions the tool's expressions take; AC-3's sound. More effort for a better
// picture adds the encoder's options, and the fields' own motion search.
TEST(TranscodePlan, ArgumentsFollowTheChosenFormatAndQuality)
{
    StreamFacts input{"h264", 720, 480, 29.97, "yuv420p", {}, "aac", 48000, "mono", 1, 2, 10, "mpeg"};
    const QString ntscVideo = "-vcodec mpeg2video -pix_fmt yuv420p -b 6000k -flags ";
    const struct { OutputOptions options; FieldOrder order; QString arguments; } cases[] = {
        {{.dvd = true, .keepProportions = true, .standard = TvStandard::Pal}, FieldOrder::TopFirst,
         "-vf scale=w='if(gt(dar,4/3),720,trunc(270*dar)*2)':h='if(gt(dar,4/3),trunc(384/dar)*2,576)':interl=1,"
         "pad=720:576:(ow-iw)/2:trunc((oh-ih)/4)*2:black,setsar=16/15,format=yuv420p,setfield=tff " + ntscVideo +
         "ildct -r 25 -s 720x576 -aspect 4:3 -acodec mp2 -ab 192k -ar 48000 -ac 1 -maxrate 9000k -bufsize 1835k -g 15 "
         "-f dvd -muxrate 10080k"},
        {{.keepProportions = true, .shape = PictureShape::Widescreen, .audio = AudioCodec::Ac3}, FieldOrder::Unknown,
         "-vf scale=w='if(gt(dar,16/9),720,trunc(405/2*dar)*2)':h='if(gt(dar,16/9),trunc(1280/3/dar)*2,480)',"
         "pad=720:480:(ow-iw)/2:(oh-ih)/2:black,setsar=32/27 " + ntscVideo + "ildct -r 29.97 -s 720x480 -aspect 16:9 "
         "-acodec ac3 -ab 192k -ar 48000 -ac 1"},
        {{.quality = Quality::Better}, FieldOrder::Progressive, ntscVideo + "+ildct+ilme -bf 2 -trellis 1 -intra_vlc 1 "
         "-last_pred 3 -r 29.97 -s 720x480 -aspect 4:3 -acodec mp2 -ab 192k -ar 48000 -ac 1"},
        {{.quality = Quality::Best}, FieldOrder::Progressive, ntscVideo + "+ildct+ilme -bf 2 -trellis 1 -intra_vlc 1 "
         "-last_pred 3 -mbd rd -mpv_flags +qp_rd -cmp 2 -subcmp 2 -mbcmp 2 -ildctcmp 2 -dia_size 2 -mepre 2 "
         "-pre_dia_size 2 -r 29.97 -s 720x480 -aspect 4:3 -acodec mp2 -ab 192k -ar 48000 -ac 1"},
    };
    for (const auto& c : cases) {
        input.fieldOrder = c.order;
        const auto plan = TranscodePlan::forInput(input, c.options, DeliveryFormat::chosen(c.options, input));
        EXPECT_EQ(plan.arguments("i", "o").join(' '), "-y -i i -map 0:v:1 -map 0:a:2 " + c.arguments + " o");
    }
}
