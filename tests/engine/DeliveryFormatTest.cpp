#include "TranscodePlan.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

// The decision and the tool's arguments, as tables over format values and stream facts. The facts
// of a stream to copy are in today's format, 10 s long in a program stream; the judged streams are
// the second picture and the third sound.

// Each row breaks one condition of each stream's decision.
TEST(DeliveryFormat, EveryConditionOfTheDecisionCounts)
{
    const struct { const char *video, *chroma; qint64 width, height; double fps; const char* audio; qint64 rate;
                   std::optional<QString> layout; bool force, videoOk, audioOk; int channels; } cases[] = {
        {"mpeg2video", "yuv420p", 720, 486, 29.97, "mp2", 48000, "mono", false, true, true, 1},
        {"mpeg2video", "yuv422p", 720, 480, 29.97, "mp2", 48000, "stereo", false, false, true, 2},
        {"mpeg2video", "yuv420p", 720, 480, 29.97, "mp2", 48000, "stereo", true, false, false, 2},
        {"mpeg2video", "yuv420p", 721, 480, 29.97, "mp2", 48000, "5.1", false, false, false, 2},
        {"mpeg2video", "yuv420p", 720, 487, 29.97, "mp2", 44100, "stereo", false, false, false, 2},
        {"mpeg2video", "yuv420p", 720, 480, 29.98, "aac", 48000, "stereo", false, false, false, 2},
        {"h264", "yuv420p", 352, 240, 29.97, "mp2", 48000, "Mono", false, false, false, 2},
        {"mpeg2video", "", 352, 240, 29.97, "mp2", 48000, std::nullopt, false, false, false, 2},
    };
    for (const auto& c : cases) {
        const StreamFacts in{c.video, c.width, c.height, c.fps, c.chroma, {}, c.audio, c.rate, c.layout, 0, 0, 0, {}};
        const auto plan = TranscodePlan::forInput(in, {.reencodeAll = c.force}, DeliveryFormat::ntsc());
        EXPECT_EQ(std::tuple(!plan.encodeVideo, !plan.encodeAudio, plan.audioEncoding.channels),
                  std::tuple(c.videoOk, c.audioOk, c.channels)) << c.width << "x" << c.height << " " << c.audio;
    }
}

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
                  QString("-y ") + (dvd && !encodeVideo && !encodeAudio ? "-fflags +genpts " : "")
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

// Another format's value changes the arguments as it says: PAL's frame, rate and GOP; 16:9's
// bars and pixel shape, in fractions the tool's expressions take.
TEST(TranscodePlan, ArgumentsFollowTheFormatsValue)
{
    DeliveryFormat pal = DeliveryFormat::ntsc(), wide = DeliveryFormat::ntsc();
    pal.video.height = pal.video.tallestHeight = 576, pal.video.frameRate = {25, 1}, pal.video.dvdLongestGop = 15;
    wide.video.aspect = {16, 9};
    const StreamFacts palFacts{"mpeg2video", 720, 576, 25, "yuv420p", {}, "mp2", 48000, "stereo", 1, 2, 10, "mpeg"};
    StreamFacts input{"h264", 720, 480, 29.97, "yuv420p", {}, "aac", 48000, "mono", 1, 2, 10, "mpeg"};
    EXPECT_TRUE(pal.video.conforms(palFacts) && !DeliveryFormat::ntsc().video.conforms(palFacts));
    const struct { DeliveryFormat format; FieldOrder order; bool dvd; QString arguments; } cases[] = {
        {pal, FieldOrder::TopFirst, true, "-vf scale=w='if(gt(dar,4/3),720,trunc(270*dar)*2)':h='if(gt(dar,4/3),"
         "trunc(384/dar)*2,576)':interl=1,pad=720:576:(ow-iw)/2:trunc((oh-ih)/4)*2:black,setsar=16/15,format=yuv420p,"
         "setfield=tff -vcodec mpeg2video -pix_fmt yuv420p -b 6000k -flags ildct -r 25 -s 720x576 -aspect 4:3 "
         "-acodec mp2 -ab 192k -ar 48000 -ac 1 -maxrate 9000k -bufsize 1835k -g 15 -f dvd -muxrate 10080k"},
        {wide, FieldOrder::Unknown, false, "-vf scale=w='if(gt(dar,16/9),720,trunc(405/2*dar)*2)':h='if(gt(dar,16/9),"
         "trunc(1280/3/dar)*2,480)',pad=720:480:(ow-iw)/2:(oh-ih)/2:black,setsar=32/27 -vcodec mpeg2video -pix_fmt "
         "yuv420p -b 6000k -flags ildct -r 29.97 -s 720x480 -aspect 16:9 -acodec mp2 -ab 192k -ar 48000 -ac 1"},
    };
    for (const auto& c : cases) {
        input.fieldOrder = c.order;
        const auto plan = TranscodePlan::forInput(input, {.dvd = c.dvd, .keepProportions = true}, c.format);
        EXPECT_EQ(plan.arguments("i", "o").join(' '), "-y -i i -map 0:v:1 -map 0:a:2 " + c.arguments + " o");
    }
}
