#include "ConsoleParser.h"
#include "FfmpegErrors.h"
#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Lines marked "real" were printed by the machine's ffmpeg 5.1 for clips made with lavfi.
namespace {

using Verdict = ConsoleParser::Verdict;

struct Parsed {
    Parsed()
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
        EXPECT_TRUE(parser.prepare());
    }
    // The verdict on the last line fed.
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

const std::string realDuration = "  Duration: 00:00:01.01, start: 0.523344, bitrate: 1328 kb/s\n";
const std::string realMpegVideo = "  Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, bottom first), "
                                  "720x480 [SAR 8:9 DAR 4:3], 29.97 fps, 29.97 tbr, 90k tbn\n";
const std::string realMpegAudio = "  Stream #0:1[0x1c0]: Audio: mp2, 48000 Hz, stereo, s16p, 192 kb/s\n";
const std::string minute = "  Duration: 00:01:00.50, start: 0.000000, bitrate: 5000 kb/s\n";
const std::string tenSeconds = "  Duration: 00:00:10.00, start: 0.000000\n";

TEST(ConsoleParser, DurationGivesTotalFramesOnce)
{
    const struct {
        std::vector<std::string> lines;
        qint64 totalFrames;
    } cases[] = {
        {{realDuration}, 30},
        {{"  Duration: 00:02:13.47, start: 0.000000\n"}, 4033},
        {{"  Duration: 01:00:00.5, start: 0\n"}, 107897},  // one fraction digit adds 5 frames
        {{tenSeconds}, 299},
        {{minute}, 1848},
        {{"  Duration: N/A, start: 0.000000, bitrate: N/A\n", tenSeconds}, 299},
        {{"  Duration: 00:00:00.00\n", tenSeconds}, 299},
        {{tenSeconds, minute}, 299},
        {{"  Duration: N/A\n"}, 0},
    };
    for (const auto& c : cases) {
        Parsed parsed;
        parsed.feed(c.lines);
        EXPECT_EQ(parsed.parser.totalFrames(), c.totalFrames) << c.lines.front();
    }
}

TEST(ConsoleParser, ProgressIsFramesOverTotalUnclampedAndUnfiltered)
{
    const struct {
        std::vector<std::string> lines;
        std::vector<double> progress;
    } cases[] = {
        {{minute, "frame=  925 fps= 30 q=4.0 size=    2048kB time=30.86\r"}, {0.5005411255411255}},
        {{minute, "frame=  2000 fps= 30\r", "frame=  2000 fps= 30\r"}, {1.0822510822510822, 1.0822510822510822}},
        {{minute, "frame=12345 fps= 30\r"}, {12345.0 / 1848}},
        {{realDuration,  // real
          "frame=    1 fps=0.0 q=0.0 size=       0kB time=00:00:00.06 bitrate=   0.0kbits/s speed=10.4x    \r",
          "frame=   30 fps=0.0 q=2.0 Lsize=     174kB time=00:00:01.02 bitrate=1394.8kbits/s speed=14.9x    \n"},
         {1.0 / 30, 1.0}},
        {{"frame=  925 fps= 30\r", minute}, {}},
        {{"  Duration: N/A\n", "frame=  925 fps= 30\r"}, {}},
    };
    for (const auto& c : cases) {
        Parsed parsed;
        parsed.feed(c.lines);
        EXPECT_EQ(parsed.progress, c.progress) << c.lines.back();
    }
}

TEST(ConsoleParser, StreamLinesSetTheFacts)
{
    const struct {
        std::string line;
        QString video;
        qint64 width, height;
        double frameRate;
    } videoCases[] = {
        {realMpegVideo, "mpeg2video", 720, 480, 29.97},
        {"  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), 160x120 "
         "[SAR 1:1 DAR 4:3], 41 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n",  // real
         "h264", 160, 120, 0.0},
        {"  Stream #0:0(und): Video: mpeg2video (Main), yuv420p(tv, progressive), 720x480 [SAR 8:9 DAR 4:3], "
         "q=2-31, 6000 kb/s, 29.97 fps, 90k tbn (default)\n",  // real, a transcode's output
         "mpeg2video", 720, 480, 29.97},
        {"Video: h264 (High 4:4:4 Predictive) (avc1 / 0x31637661), yuv444p(progressive), 1280x720 "
         "[SAR 1:1 DAR 16:9], 78 kb/s, 25 fps\n",
         "h264", 1280, 720, 0.0},
        {"Video: h264, yuv420p, 1920x1080 [PAR 1:1 DAR 16:9], 23.98 fps\n", "h264", 1920, 1080, 23.98},
        {"Video: rawvideo, 720x486\n", "rawvideo", 720, 486, 0.0},
        {"Video: mpeg2video (Main), 720x480 [SAR 8:9 DAR 4:3]\n", "mpeg2video (Main)", 720, 480, 0.0},
        {"Video: h264 (High), yuv420p(tv, bt709), 1920x1080, 25 fps\n", "h264", 1920, 1080, 0.0},
        {"Video: mjpeg, yuvj420p(pc), none\n", "", 0, 0, 0.0},
    };
    for (const auto& c : videoCases) {
        Parsed parsed;
        parsed.feed({c.line});
        EXPECT_EQ(parsed.record.video(), c.video) << c.line;
        EXPECT_EQ(parsed.record.width(), c.width) << c.line;
        EXPECT_EQ(parsed.record.height(), c.height) << c.line;
        EXPECT_EQ(parsed.record.frameRate(), c.frameRate) << c.line;
    }

    const struct {
        std::string line;
        QString audio;
        qint64 rate;
        QString channels;
    } audioCases[] = {
        {realMpegAudio, "mp2", 48000, "stereo"},
        {"  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp, 70 kb/s (default)\n",
         "aac (LC) (mp4a / 0x6134706D)", 44100, "mono"},  // real
        {"  Stream #0:0: Audio: pcm_s16le ([1][0][0][0] / 0x0001), 44100 Hz, mono, s16, 705 kb/s\n",
         "pcm_s16le ([1][0][0][0] / 0x0001)", 44100, "mono"},  // real
        {"Audio: pcm_s16le, 44100 Hz, 2 channels, s16\n", "pcm_s16le", 44100, "2 channels"},
        {"Audio: aac, 44100 Hz, mono\n", "aac", 44100, "mono"},
    };
    for (const auto& c : audioCases) {
        Parsed parsed;
        parsed.feed({c.line});
        EXPECT_EQ(parsed.record.audio(), c.audio) << c.line;
        EXPECT_EQ(parsed.record.audioRate(), c.rate) << c.line;
        EXPECT_EQ(parsed.record.audioChannels(), c.channels) << c.line;
    }
}

TEST(ConsoleParser, LaterStreamLinesWinAndMissingOnesLeaveDefaults)
{
    Parsed parsed;
    parsed.feed({realDuration, realMpegVideo, "\n", "Video: rawvideo, 320x240\n"});
    EXPECT_EQ(parsed.record.video(), "rawvideo");
    EXPECT_EQ(parsed.record.width(), 320);
    EXPECT_EQ(parsed.record.frameRate(), 29.97);
    EXPECT_EQ(parsed.record.audio(), "");
    EXPECT_EQ(parsed.record.audioChannels(), std::nullopt);
}

TEST(ConsoleParser, ErrorPhraseInAnyCaseRaisesOneErrorAndStops)
{
    const std::string lines[] = {
        "notes.txt: Invalid data found when processing input\n",  // real
        "Format Is Not Supported\n",
        "[mov] COULD NOT FIND CODEC PARAMETERS for stream 0\n",
        "Unknown format 'xyz'\n",
        "/films/iNvAlId DaTa.avi: No such file or directory\n",
        "  Duration: 00:00:10.00 invalid data\n",
    };
    const std::vector<EngineError> expected{
        {"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: clip.avi"}};
    for (const std::string& line : lines) {
        Parsed parsed;
        EXPECT_EQ(parsed.feed({line}), Verdict::Stop) << line;
        EXPECT_EQ(parsed.feed({minute, realMpegVideo, line}), Verdict::Stop) << line;
        EXPECT_EQ(parsed.errors, expected) << line;
        EXPECT_EQ(parsed.parser.totalFrames(), 0) << line;
        EXPECT_EQ(parsed.record.video(), "") << line;
    }
    VideoProcessor withoutCallback(QStringLiteral("/movies/clip.avi"));
    ConsoleParser parser(withoutCallback);
    ASSERT_TRUE(parser.prepare());
    EXPECT_EQ(parser.line(lines[0].c_str()), Verdict::Stop);
}

TEST(ConsoleParser, PassesOverBadUtf8AndFindsNothingAcrossTheLineCut)
{
    Parsed parsed;
    EXPECT_EQ(parsed.feed({"\xff Invalid data\n", "Invalid data \xc0\xaf\n", "Invalid data \xed\xa0\x80\n",
                           "Invalid data \xf4\x90\x80\x80\n", "Invalid data \xe2\x82", "Video: h264, \x80 x, 640x480\n"}),
              Verdict::GoOn);
    // What readConsoleLine makes of physical lines longer than 1023 bytes.
    for (const std::string tail : {"Invalid data\n", "Duration: 00:00:10.00\n", "Video: rawvideo, 640x480\n"}) {
        const std::string physical = std::string(1019, 'x') + tail;
        EXPECT_EQ(parsed.feed({physical.substr(0, 1023), physical.substr(1023)}), Verdict::GoOn) << tail;
    }
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.parser.totalFrames(), 0);
    EXPECT_EQ(parsed.record.video(), "");

    parsed.feed({"  Stream #0:0(deu): Video: h264 \xc3\xa9t\xc3\xa9, yuv420p, 640x480 \xe2\x82\xac, 25 fps\n"});
    EXPECT_EQ(parsed.record.video(), "h264");
}

} // namespace
