#include "ConsoleParser.h"
#include "FfmpegErrors.h"
#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Lines below marked "real" were printed by the machine's ffmpeg 5.1 for clips made with lavfi.
namespace {

using TestPrinters::PrintTo;

using Verdict = ConsoleParser::Verdict;

class ParsedRecord {
public:
    ParsedRecord()
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
        EXPECT_TRUE(parser.prepare());
    }

    // Feeds the lines in order; the verdict of the last one fed.
    Verdict feed(const std::vector<std::string>& lines)
    {
        Verdict verdict = Verdict::GoOn;
        for (const std::string& line : lines)
            verdict = parser.line(line.c_str());
        return verdict;
    }

    VideoProcessor record{QStringLiteral("/movies/clip.avi")};
    ConsoleParser parser{record};
    std::vector<double> progress;
    std::vector<EngineError> errors;
};

const std::string realMpegDuration = "  Duration: 00:00:01.01, start: 0.523344, bitrate: 1328 kb/s\n";
const std::string realMpegVideo =
    "  Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, bottom first), 720x480 [SAR 8:9 DAR 4:3], "
    "29.97 fps, 29.97 tbr, 90k tbn\n";
const std::string realMpegAudio = "  Stream #0:1[0x1c0]: Audio: mp2, 48000 Hz, stereo, s16p, 192 kb/s\n";
const std::string realProgress =
    "frame=    1 fps=0.0 q=0.0 size=       0kB time=00:00:00.06 bitrate=   0.0kbits/s speed=10.4x    \r";
const std::string realLastProgress =
    "frame=   30 fps=0.0 q=2.0 Lsize=     174kB time=00:00:01.02 bitrate=1394.8kbits/s dup=5 drop=0 speed=14.9x    \n";
const std::string realTextFile = "notes.txt: Invalid data found when processing input\n";

struct DurationCase {
    const char* name;
    std::vector<std::string> lines;
    qint64 totalFrames;
};

class DurationLines : public testing::TestWithParam<DurationCase> {};

TEST_P(DurationLines, GiveTotalFrames)
{
    ParsedRecord parsed;
    parsed.feed(GetParam().lines);
    EXPECT_EQ(parsed.parser.totalFrames(), GetParam().totalFrames);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DurationLines,
    testing::Values(
        DurationCase{"RealMpeg", {realMpegDuration}, 30},
        DurationCase{"TwoFractionDigits", {"  Duration: 00:02:13.47, start: 0.000000\n"}, 4033},
        DurationCase{"OneFractionDigitCountsAsFrames", {"  Duration: 01:00:00.5, start: 0\n"}, 107897},
        DurationCase{"Truncated", {"  Duration: 00:00:10.00, start: 0\n"}, 299},
        DurationCase{"OneMinute", {"  Duration: 00:01:00.50, start: 0.000000, bitrate: 5000 kb/s\n"}, 1848},
        DurationCase{"NotAvailable", {"  Duration: N/A, start: 0.000000, bitrate: N/A\n"}, 0},
        DurationCase{"NotAvailableThenTime", {"  Duration: N/A, bitrate: N/A\n", "  Duration: 00:00:10.00\n"}, 299},
        DurationCase{"ZeroThenTime", {"  Duration: 00:00:00.00\n", "  Duration: 00:00:10.00\n"}, 299},
        DurationCase{"FirstValueStays", {"  Duration: 00:00:10.00\n", "  Duration: 00:01:00.50\n"}, 299},
        DurationCase{"NeedsABlankAfterTheColon", {"Duration:00:00:10.00\n"}, 0}),
    [](const testing::TestParamInfo<DurationCase>& info) { return std::string(info.param.name); });

struct ProgressCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<double> progress;
};

class ProgressLines : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressLines, ReportFractionsUnclampedAndUnfiltered)
{
    ParsedRecord parsed;
    parsed.feed(GetParam().lines);
    EXPECT_EQ(parsed.progress, GetParam().progress);
}

const std::string minute = "  Duration: 00:01:00.50, start: 0.000000, bitrate: 5000 kb/s\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressLines,
    testing::Values(
        ProgressCase{"Half", {minute, "frame=  925 fps= 30 q=4.0 size=    2048kB time=30.86\r"}, {925.0 / 1848}},
        ProgressCase{"PastTheEnd", {minute, "frame=  2000 fps= 30\r"}, {1.0822510822510822}},
        ProgressCase{"FiveDigitsWithoutBlank", {minute, "frame=12345 fps= 30\r"}, {12345.0 / 1848}},
        ProgressCase{"RepeatedValues", {minute, "frame=  10\r", "frame=  10\r"}, {10.0 / 1848, 10.0 / 1848}},
        ProgressCase{"RealLines", {realMpegDuration, realProgress, realLastProgress}, {1.0 / 30, 1.0}},
        ProgressCase{"BeforeAnyDuration", {"frame=  925 fps= 30\r", minute}, {}},
        ProgressCase{"NoUsableDuration", {"  Duration: N/A\n", "frame=  925 fps= 30\r"}, {}}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

TEST(ConsoleParser, ProgressWithoutCallbackIsDropped)
{
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    ConsoleParser parser(record);
    ASSERT_TRUE(parser.prepare());
    EXPECT_EQ(parser.line(minute.c_str()), Verdict::GoOn);
    EXPECT_EQ(parser.line("frame=  925 fps= 30\r"), Verdict::GoOn);
}

struct VideoCase {
    const char* name;
    std::string line;
    QString video;
    qint64 width;
    qint64 height;
    double frameRate;
};

class VideoLines : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoLines, SetCodecSizeAndRate)
{
    ParsedRecord parsed;
    parsed.feed({GetParam().line});
    EXPECT_EQ(parsed.record.video(), GetParam().video);
    EXPECT_EQ(parsed.record.width(), GetParam().width);
    EXPECT_EQ(parsed.record.height(), GetParam().height);
    EXPECT_EQ(parsed.record.frameRate(), GetParam().frameRate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VideoLines,
    testing::Values(
        VideoCase{"RealMpegNeedsTheLoosePattern", realMpegVideo, "mpeg2video", 720, 480, 29.97},
        VideoCase{"RealMp4", "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), "
                             "160x120 [SAR 1:1 DAR 4:3], 41 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n",
                  "h264", 160, 120, 0.0},
        VideoCase{"RealAvi", "  Stream #0:0: Video: rawvideo (I420 / 0x30323449), yuv420p, 160x120, 6000 kb/s, "
                             "SAR 1:1 DAR 4:3, 25 fps, 25 tbr, 25 tbn\n",
                  "rawvideo", 160, 120, 0.0},
        VideoCase{"RealTranscodeOutput", "  Stream #0:0(und): Video: mpeg2video (Main), yuv420p(tv, progressive), "
                                         "720x480 [SAR 8:9 DAR 4:3], q=2-31, 6000 kb/s, 29.97 fps, 90k tbn (default)\n",
                  "mpeg2video", 720, 480, 29.97},
        VideoCase{"HighPredictive", "Video: h264 (High 4:4:4 Predictive) (avc1 / 0x31637661), yuv444p(progressive), "
                                    "1280x720 [SAR 1:1 DAR 16:9], 78 kb/s, 25 fps\n",
                  "h264", 1280, 720, 0.0},
        VideoCase{"LongPattern", "Video: h264, yuv420p, 1920x1080 [PAR 1:1 DAR 16:9], 23.98 fps\n", "h264", 1920, 1080,
                  23.98},
        VideoCase{"ShortPattern", "Video: rawvideo, 720x486\n", "rawvideo", 720, 486, 0.0},
        VideoCase{"ShortPatternKeepsTheProfile", "Video: mpeg2video (Main), 720x480 [SAR 8:9 DAR 4:3]\n",
                  "mpeg2video (Main)", 720, 480, 0.0},
        VideoCase{"CommaInParentheses", "Video: h264 (High), yuv420p(tv, bt709), 1920x1080, 25 fps\n", "h264", 1920,
                  1080, 0.0},
        VideoCase{"NoSize", "Video: mjpeg, yuvj420p(pc), none\n", "", 0, 0, 0.0},
        VideoCase{"RateWithoutVideo", "  29.97 fps\n", "", 0, 0, 29.97}),
    [](const testing::TestParamInfo<VideoCase>& info) { return std::string(info.param.name); });

struct AudioCase {
    const char* name;
    std::string line;
    QString audio;
    qint64 rate;
    QString channels;
};

class AudioLines : public testing::TestWithParam<AudioCase> {};

TEST_P(AudioLines, SetCodecRateAndLayout)
{
    ParsedRecord parsed;
    parsed.feed({GetParam().line});
    EXPECT_EQ(parsed.record.audio(), GetParam().audio);
    EXPECT_EQ(parsed.record.audioRate(), GetParam().rate);
    EXPECT_EQ(parsed.record.audioChannels(), std::optional<QString>(GetParam().channels));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AudioLines,
    testing::Values(
        AudioCase{"RealMpeg", realMpegAudio, "mp2", 48000, "stereo"},
        AudioCase{"RealMp4", "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp, "
                             "70 kb/s (default)\n",
                  "aac (LC) (mp4a / 0x6134706D)", 44100, "mono"},
        AudioCase{"RealWav", "  Stream #0:0: Audio: pcm_s16le ([1][0][0][0] / 0x0001), 44100 Hz, mono, s16, 705 kb/s\n",
                  "pcm_s16le ([1][0][0][0] / 0x0001)", 44100, "mono"},
        AudioCase{"ChannelCount", "Audio: pcm_s16le, 44100 Hz, 2 channels, s16\n", "pcm_s16le", 44100, "2 channels"},
        AudioCase{"LayoutEndsAtTheLineFeed", "Audio: aac, 44100 Hz, mono\n", "aac", 44100, "mono"},
        AudioCase{"LayoutEndsAtTheCarriageReturn", "Audio: aac, 44100 Hz, stereo\r", "aac", 44100, "stereo"}),
    [](const testing::TestParamInfo<AudioCase>& info) { return std::string(info.param.name); });

TEST(ConsoleParser, LaterStreamLinesOverwriteEarlierOnes)
{
    ParsedRecord parsed;
    parsed.feed({realMpegVideo, realMpegAudio, "Video: rawvideo, 320x240\n", "Audio: aac, 22050 Hz, mono\n"});
    EXPECT_EQ(parsed.record.video(), "rawvideo");
    EXPECT_EQ(parsed.record.width(), 320);
    EXPECT_EQ(parsed.record.frameRate(), 29.97);
    EXPECT_EQ(parsed.record.audio(), "aac");
    EXPECT_EQ(parsed.record.audioRate(), 22050);
    EXPECT_EQ(parsed.record.audioChannels(), "mono");
}

TEST(ConsoleParser, StreamLinesWithoutAudioLeaveItsDefaults)
{
    ParsedRecord parsed;
    parsed.feed({realMpegDuration, realMpegVideo, "\n", "At least one output file must be specified\n"});
    EXPECT_EQ(parsed.record.audio(), "");
    EXPECT_EQ(parsed.record.audioRate(), 0);
    EXPECT_EQ(parsed.record.audioChannels(), std::nullopt);
    EXPECT_TRUE(parsed.errors.empty());
}

struct ErrorCase {
    const char* name;
    std::string line;
};

class ErrorPhraseLines : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorPhraseLines, RaiseTheUnrecognizedFormatErrorAndStop)
{
    ParsedRecord parsed;
    EXPECT_EQ(parsed.feed({GetParam().line}), Verdict::Stop);
    const std::vector<EngineError> expected{
        {QStringLiteral("FFMPEG"), -1, QStringLiteral("Not a recognized file format: clip.avi")}};
    EXPECT_EQ(parsed.errors, expected);
    EXPECT_EQ(parsed.parser.totalFrames(), 0);

    // Nothing after the stop is read, and the error is not raised twice.
    EXPECT_EQ(parsed.feed({minute, realMpegVideo, GetParam().line}), Verdict::Stop);
    EXPECT_EQ(parsed.record.video(), "");
    EXPECT_EQ(parsed.errors.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorPhraseLines,
    testing::Values(ErrorCase{"RealTextFile", realTextFile},
                    ErrorCase{"NotSupported", "Format Is Not Supported\n"},
                    ErrorCase{"CodecParameters", "[mov] COULD NOT FIND CODEC PARAMETERS for stream 0\n"},
                    ErrorCase{"UnknownFormat", "Unknown format 'xyz'\n"},
                    ErrorCase{"MixedCase", "iNvAlId DaTa\n"},
                    ErrorCase{"InsideAnEchoedFileName", "/films/invalid data.avi: No such file or directory\n"},
                    ErrorCase{"WithADuration", "  Duration: 00:00:10.00 invalid data\n"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(ConsoleParser, StopsAtAnErrorPhraseWithoutErrorCallback)
{
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    ConsoleParser parser(record);
    ASSERT_TRUE(parser.prepare());
    EXPECT_EQ(parser.line(realTextFile.c_str()), Verdict::Stop);
    EXPECT_EQ(parser.line(realMpegVideo.c_str()), Verdict::Stop);
    EXPECT_EQ(record.video(), "");
}

TEST(ConsoleParser, PassesOverLinesThatAreNotUtf8)
{
    ParsedRecord parsed;
    const std::vector<std::string> malformed{
        "\xff Invalid data\n",
        "Invalid data \xc0\xaf\n",          // overlong slash
        "Invalid data \xed\xa0\x80\n",      // surrogate
        "Invalid data \xf4\x90\x80\x80\n",  // above U+10FFFF
        "Invalid data \xe2\x82",            // cut inside a character
        "Video: h264, \x80 yuv420p, 640x480\n",
    };
    EXPECT_EQ(parsed.feed(malformed), Verdict::GoOn);
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.record.video(), "");

    parsed.feed({"\n", "  Stream #0:0(deu): Video: h264 \xc3\xa9t\xc3\xa9, yuv420p, 640x480 \xe2\x82\xac, 25 fps\n"});
    EXPECT_EQ(parsed.record.video(), "h264");
    EXPECT_EQ(parsed.record.width(), 640);
}

TEST(ConsoleParser, FindsNothingAcrossTheLineCut)
{
    // What readConsoleLine makes of a physical line longer than 1023 bytes.
    const auto cut = [](const std::string& tail) {
        const std::string physical = std::string(1019, 'x') + tail;
        return std::vector<std::string>{physical.substr(0, 1023), physical.substr(1023)};
    };
    ParsedRecord parsed;
    for (const char* tail : {"Invalid data\n", "Duration: 00:00:10.00\n", "Video: rawvideo, 640x480\n"})
        EXPECT_EQ(parsed.feed(cut(tail)), Verdict::GoOn) << tail;
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.parser.totalFrames(), 0);
    EXPECT_EQ(parsed.record.video(), "");
}

} // namespace
