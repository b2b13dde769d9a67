#include "ConsoleLineReader.h"
#include "ConsoleParser.h"
#include "DeliveryFormat.h"
#include "RecordedRun.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

// The console parser over tables of console output, which reaches it as the tool's does: through
// a stream and the line reader. Lines marked "real" were printed by the machine's ffmpeg 5.1.
namespace {

using enum ConsoleParser::Run;

// What the console told the record and the parser, naming only what was set.
QString parse(std::string console, ConsoleParser::Run kind, const char* path)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> stream(fmemopen(console.data(), console.size(), "r"), fclose);
    QList<double> progress;
    ConsoleParser parser(path, kind, [&](double f) { progress << f; }, DeliveryFormat::ntsc().video.printedFrameRate());
    EXPECT_TRUE(parser.prepare());
    std::array<char, consoleLineBufferSize> line;
    ConsoleParser::Verdict verdict = ConsoleParser::Verdict::GoOn;
    while (readConsoleLine(line.data(), consoleLineBufferSize, stream.get()))
        verdict = parser.line(line.data());
    QStringList told;
    if (RecordedRun::describe(parser.facts()) != RecordedRun::describe({}))
        told << RecordedRun::describe(parser.facts());
    if (parser.totalFrames() != 0)
        told << QString::number(parser.totalFrames()) + " frames";
    for (const double fraction : progress)
        told << QString::number(fraction);
    if (const auto& error = parser.failure())
        told << QStringLiteral("%1 %2").arg(kindNames[int(error->kind)], error->description);
    if (verdict == ConsoleParser::Verdict::Stop)
        told << "stop";
    return told.join(", ");
}

TEST(ConsoleParser, ReadsDurationProgressStreamsAndOnlyTheProbesErrorPhrasesOutsideTheInputsName)
{
    const std::string minute = "  Duration: 00:01:00.50, start: 0.000000, bitrate: 5000 kb/s\n";
    const std::string tenSeconds = "  Duration: 00:00:10.00, start: 0.000000\n";
    const std::string realMpegVideo = "  Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, bottom first), "
                                      "720x480 [SAR 8:9 DAR 4:3], 29.97 fps, 29.97 tbr, 90k tbn\n";
    const QString unrecognized = "UnrecognizedFormat Not a recognized file format: Invalid Data.avi, stop";
    static constexpr const char* avi = "/in/Invalid Data.avi";
    const struct { std::string output; QString told; ConsoleParser::Run kind = Probe; const char* path = avi; }
    cases[] = {
        {"  Duration: 00:00:01.01, start: 0.523344, bitrate: 1328 kb/s\n"  // real
         "frame=    1 fps=0.0 q=0.0 size=       0kB time=00:00:00.06 bitrate=   0.0kbits/s speed=10.4x    \r"
         "frame=   30 fps=0.0 q=2.0 Lsize=     174kB time=00:00:01.02 bitrate=1394.8kbits/s speed=14.9x    \n",
         "30 frames, 0.0333333, 1"},
        // The fraction is of a second, and whole frame counts stay whole.
        {"  Duration: 00:00:01.99, start: 0\nframe=   59\r", "59 frames, 1"},
        {"  Duration: 01:00:00.5, start: 0\n", "107906 frames"}, {"  Duration: 00:01:40.00, start: 0\n", "2997 frames"},
        // Progress needs a usable total first, which only the first one sets; CR ends a line as
        // LF does. A total too long to count, or finer than counting, is none. Five-digit frame
        // counts have no blank after the equals sign.
        {"frame=  925 fps= 30\r  Duration: N/A\n  Duration: 00:00:00.0000001\nframe=  925\r"
         "  Duration: 99999999999999999999:00:01.00\n" + minute + tenSeconds + "frame=12345 fps= 30\r",
         "1813 frames, 6.80916"},
        {realMpegVideo + "  Stream #0:1[0x1c0]: Audio: mp2, 48000 Hz, stereo, s16p, 192 kb/s\n",  // real
         "[mpeg2video yuv420p bff #0] 720x480 29.97fps [mp2 #0] 48000Hz stereo DAR 4/3 192kb/s"},
        // Another input's streams, and in a transcode the output's, are not the input's.
        {"Stream #0:0(eng): Video: h264, yuv420p, 1920x1080 [PAR 1:1 DAR 16:9], 23.98 fps\n"
         "  Stream #1:0: Video: mpeg2video (Main), 720x480\nOutput #0, dvd, to 'a.mpg':\n"
         "  Stream #0:1: Audio: mp2, 48000 Hz, stereo\n", "[h264 yuv420p #0] 1920x1080 23.98fps [] 0Hz -"},
        // A picture of no known size is none to work from.
        {"Stream #0:0: Video: mjpeg, yuvj420p(pc), none\n\tStream #0:1[0x1](und): Audio: pcm_s16le, 44100 Hz, "
         "2 channels\n", "[] 0x0 0fps [pcm_s16le #0] 44100Hz 2 channels"},
        // The codec is its name alone; a warning about one stream is no verdict on the file; a
        // swapped field order names the field coded first.
        {"[mpegts @ 0x55f0] Could not find codec parameters for stream 2 (Audio: mp3 (mp3float) ([3][0][0][0] / "
         "0x0003), 0 channels, fltp): unspecified frame size\n  Stream #0:0[0x100]: Video: mpeg2video (Main) "
         "([2][0][0][0] / 0x0002), yuv420p(tv, progressive), 160x120 [SAR 1:1 DAR 4:3], 25 fps\n  Stream #0:1[0x101]: "
         "Audio: mp2 ([3][0][0][0] / 0x0003), 48000 Hz, mono, fltp, 64 kb/s\n  Stream #0:2[0x102]: Audio: mp3 "
         "([3][0][0][0] / 0x0003), 0 channels\n",  // real
         "[mpeg2video yuv420p prog #0] 160x120 25fps [mp2 #0] 48000Hz mono DAR 4/3 64kb/s"},
        // A picture turned on its side by its side data, not by an author's tag of the same name.
        {"  Stream #0:0(und): Video: h264 (High), yuv420p(progressive), 1920x1080 [SAR 1:1 DAR 16:9], 30 fps (default)\n"
         "    Metadata:\n      displaymatrix   : rotation of 90.00 degrees\n    Side data:\n"
         "      displaymatrix: rotation of -90.00 degrees\n  Stream #0:1: Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s\n"
         "      displaymatrix: rotation of 180.00 degrees\n",  // real, but for the tag
         "[h264 yuv420p prog #0] 1920x1080 30fps [ac3 #0] 48000Hz 5.1(side) DAR 16/9 turned 448kb/s"},
        // A size too long for 64 bits is the largest there is, not none.
        {"  Stream #0:0: Video: h264 (High), yuv422p10le (10 bpc)(tv, bt709, top coded first (swapped)), "
         "99999999999999999999x480\n", "[h264 yuv422p10le bff #0] 9223372036854775807x480 0fps [] 0Hz -"},
        // The streams judged are those the tool would write: of the pictures that are no cover,
        // and of the sounds, the first marked default, else the first; numbered within their
        // kind, whatever the order the programs list them in.
        {"  Stream #0:4: Audio: ac3, 48000 Hz, 5.1(side), fltp (default)\n  Stream #0:1: Audio: mp2, 48000 Hz, stereo\n"
         "  Stream #0:0: Video: mjpeg (Baseline), yuvj420p(pc, bt470bg/unknown/unknown), 600x600 (attached pic)\n"
         "  Stream #0:3(eng): Video: mpeg2video (4:2:2), yuv422p(tv, bottom coded first (swapped)), 720x480, 29.97 fps "
         "(default)\n  Stream #0:2: Video: h264 (Main), yuv420p(top first), 320x240 (forced)\n"
         "  Stream #0:5: Audio: aac, 44100 Hz, mono (default)\n  Stream #0:1: Video: h264, yuv420p, 320x240 "
         "(default)\n",
         "[mpeg2video yuv422p tff #2] 720x480 29.97fps [ac3 #1] 48000Hz 5.1(side)"},
        // Counts have no sign.
        {"Stream #0:0: Audio: mp2, -99999999999999 Hz, stereo\nStream #0:1: Audio: mp2, +48000 Hz, mono\n", ""},
        // Titles, comments and names are the file's author's: only the tool's own lines tell facts.
        {"Input #0, mov, from '/in/  Duration: 01:00:00.00 frame= 9 Stream #0:0: Video: mpeg2video, 720x480, 29.97 fps"
         "':\n    title : Video: mpeg2video, 720x480, 29.97 fps\n      title  : Stream #0:1: Audio: mp2, 48000 Hz, "
         "stereo\n    comment : Duration: 00:00:10.00 Stream #0:2: Data: dvd_nav_packet\n  Duration: N/A\n"
         " Video: h264, 720x480\n", "[] 0x0 0fps [] 0Hz - in mov"},
        {"  Duration: N/A, Duration: 00:00:10.00\n  Duration: 00:00:01.00\nframe=N/A frame= 15\r", "29 frames"},
        {"Input #0, mov, from '/in/a\n  Duration: 00:00:10.00 Stream #0:0: Video: mpeg2video, 720x480, 29.97 fps.mov'"
         ":\n", "[] 0x0 0fps [] 0Hz - in mov", Probe, "/in/a\n  Duration: 00:00:10.00 Stream #0:0: Video: mpeg2video, "
         "720x480, 29.97 fps.mov"},
        {"notes.txt: Invalid data found when processing input\n" + minute + realMpegVideo, unrecognized},  // real
        {"Format Is Not Supported\n", unrecognized},
        {"  Duration: 00:00:10.00 uNkNoWn FoRmAt 'xyz'\n", unrecognized},
        // Lines that are not UTF-8 count for nothing; a line is cut after 1023 bytes.
        {"\xff Invalid data\nInvalid data \xc0\xaf\nInvalid data \xed\xa0\x80\nInvalid data \xf4\x90\x80\x80\n"
         "Stream #0:0: Video: h264, \x80 x, 640x480\n" + std::string(1012, 'x') + "invalid data\nInvalid data \xe2\x82",
         ""},
        {std::string(1011, 'x') + "invalid data\n", unrecognized},
        // A damaged packet in the middle of a transcode is no unreadable input.
        {tenSeconds + "Error while decoding stream #0:1: Invalid data found when processing input\nframe=  299\r",
         "299 frames, 1", Transcode},
        {"Input #0, avi, from '/in/Invalid Data.avi':\n" + tenSeconds, "[] 0x0 0fps [] 0Hz - in avi, 299 frames"},
        {"Invalid Data.avi: invalid data/in/Invalid Data.avi\n", unrecognized},
        {"invalid /in/Invalid Data.avidata\n", ""},
        // A reader outside the allowed ones names itself; a name that only looks like it is a name.
        {"[hls @ 0x5593b00c3900] Format not on whitelist 'mov,avi'\n/in/Invalid Data.avi: Invalid argument\n",
         "InputRefused Invalid Data.avi was not read: ffmpeg takes it for \"hls\", which is no single video file (it "
         "may be a playlist or a list that names other files, a picture or a device)., stop"},
        {"[x @ 0x1] Format not on whitelist 'y\n", "", Probe, "[x @ 0x1] Format not on whitelist 'y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.output, c.kind, c.path), c.told) << c.output.substr(0, 60);
}

} // namespace
