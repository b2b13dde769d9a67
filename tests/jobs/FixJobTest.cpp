#include "JobFixture.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

using TestMedia::readAll;
// Clips shared by the tests: made once, never changed.
class FixJobTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        media = new TestMedia::TestFolder;
        TestMedia::ClipSpec aac = TestMedia::conformingMpeg(), audio44k = TestMedia::conformingMpeg();
        aac.audioCodec = "aac", audio44k.sampleRate = 44100;
        ASSERT_TRUE(TestMedia::makeClip(clip("clip.mpg"), TestMedia::conformingMpeg()) &&
                    TestMedia::makeClip(clip("aac.mkv"), aac) && TestMedia::makeClip(clip("44k.mpg"), audio44k) &&
                    TestMedia::write(clip("notes.txt"), "milk, eggs, bread\n"));
    }
    static void TearDownTestSuite() { delete media; }
    static QString clip(const QString& name) { return media->filePath(name); }

    void SetUp() override { f.settings.folder = out.path(); }

    static inline TestMedia::TestFolder* media = nullptr;
    TestMedia::TestFolder out;
    JobFixture f;
};

}

// Runs ffmpeg quietly with `options`, words apart by single spaces, writing `output`.
bool ffmpeg(const QString& options, const QString& output)
{
    const QStringList arguments = QStringList{"-v", "error", "-y"} + options.simplified().split(' ') << output;
    return TestMedia::runTool(FFMPEG_TOOL, arguments).has_value();
}

// The first frame of a video, raw, in `pixelFormat`.
QByteArray firstFrame(const QString& path, const char* pixelFormat)
{
    const QStringList frame{"-v", "error", "-i", path, "-vframes", "1", "-f", "rawvideo", "-pix_fmt", pixelFormat, "-"};
    return TestMedia::runTool(FFMPEG_TOOL, frame).value_or(QByteArray());
}

// Every packet of the output's picture has a timestamp, which a program stream needs.
bool timestamped(const QString& path)
{
    const QStringList packets{"-v", "error", "-select_streams", "v:0", "-show_entries", "packet=pts", path};
    const QByteArray timestamps = TestMedia::runTool(FFPROBE_TOOL, packets).value_or("");
    return !timestamps.isEmpty() && !timestamps.contains("N/A");
}

// The displayed width / height of the bright picture across the middle of an output's first
// frame; 0 when anything else on those lines is not black.
double displayedShape(const QString& path)
{
    const QByteArray gray = firstFrame(path, "gray");
    int light[2] = {0, 0}, grey = 0;
    for (int i = 0; gray.size() == 720 * 480 && i < 720 + 480; ++i) {
        const uchar value = uchar(gray.at(i < 720 ? 240 * 720 + i : (i - 720) * 720 + 360));
        light[i >= 720] += value > 128;
        grey += value >= 40 && value <= 128;
    }
    // Scaling blends the picture's edges over a pixel or two.
    return grey <= 8 && light[1] ? light[0] * 8.0 / 9 / light[1] : 0;
}

// Each row sets the preferences, then says what the job must make of the file. Conforming
// streams pass unchanged unless forced; the rest is re-encoded at the chosen bitrate, under the
// taken name's rule. With DVD and bars on, the outputs make one DVD title set together, a DVD
// program stream is copied whole, and a re-encoded picture keeps its displayed shape within 2%,
// an upright one also when only its metadata turns it; off, the picture fills the frame and the
// output is no DVD program stream. Every picture copied has a timestamp, those of an AVI's
// MPEG-2 with B-frames too, which its container leaves out.
TEST_F(FixJobTest, OutputsAreMadeAsThePreferencesAsk)
{
    TestMedia::ClipSpec wide = TestMedia::h264AacMono(320, 180), square = TestMedia::h264AacMono(320, 240),
                        anamorphic = TestMedia::conformingMpeg(), bFrames = TestMedia::conformingMpeg();
    bFrames.extraOptions << "-bf" << "2";
    anamorphic.height = 576, anamorphic.frameRate = "25", anamorphic.extraOptions << "-aspect" << "16:9";
    for (TestMedia::ClipSpec* white : {&wide, &square, &anamorphic})
        white->channels = 2, white->extraOptions << "-vf" << "lutyuv=y=235:u=128:v=128";
    ASSERT_TRUE(TestMedia::makeClip(clip("wide.mp4"), wide) && TestMedia::makeClip(clip("square.mp4"), square) &&
                TestMedia::makeClip(clip("b.avi"), bFrames));
    ASSERT_TRUE(TestMedia::makeClip(clip("anamorphic.mpg"), anamorphic) &&
                ffmpeg("-i " + clip("wide.mp4") + " -c copy -metadata:s:v:0 rotate=90", clip("upright.mp4")) &&
                ffmpeg("-i " + clip("clip.mpg") + " -c copy -f dvd", clip("dvd.vob")));
    constexpr NameTaken ask = NameTaken::ShowMessage, replace = NameTaken::Replace;
    const struct { const char* input; bool force, on; qint64 megabits; NameTaken taken; QString output; double shape;
                   bool videoKept, audioKept; } cases[] = {
        {"clip.mpg", true, false, 2, replace, "off/clip.mpg", 0, false, false},
        {"aac.mkv", false, false, 6, NameTaken::KeepBoth, "off/aac (2).mpg", 0, true, false},
        {"44k.mpg", false, false, 6, replace, "off/44k.mpg", 0, true, false},
        {"upright.mp4", false, false, 6, ask, "off/upright.mpg", 4.0 / 3, false, false},
        {"wide.mp4", false, true, 6, ask, "on/wide.mpg", 16.0 / 9, false, false},
        {"square.mp4", false, true, 6, ask, "on/square.mpg", 4.0 / 3, false, false},
        {"anamorphic.mpg", false, true, 6, ask, "on/anamorphic.mpg", 16.0 / 9, false, true},
        {"upright.mp4", false, true, 6, ask, "on/upright.mpg", 9.0 / 16, false, false},
        {"clip.mpg", false, true, 6, ask, "on/clip.mpg", 0, true, true},
        {"dvd.vob", false, true, 6, ask, "on/dvd.mpg", 0, true, true},
        {"b.avi", false, true, 6, ask, "on/b.mpg", 0, true, true},
    };
    QStringList authored{"-o", out.filePath("DVD"), "-t", "-v", "ntsc"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output.toStdString());
        f.settings.folder = out.filePath(c.on ? "on" : "off");
        const QString old = FixJob::outputPath(f.settings.folder, clip(c.input)), output = out.filePath(c.output);
        ASSERT_TRUE(c.taken == ask || (QDir().mkpath(f.settings.folder) && TestMedia::write(old, "older work")));
        f.settings.output = {c.force, c.megabits * 1000, c.on, c.on}, f.settings.nameTaken = c.taken;
        const char* stage = c.videoKept && c.audioKept ? "copying " : "transcoding ";
        EXPECT_TRUE(f.fix({clip(c.input)}).contains(stage + QString(c.input)));
        using enum OutputMade;
        const OutputMade how = QString(c.input).endsWith(".vob") ? Copied : *stage == 'c' ? Remuxed : Transcoded;
        authored << (c.on ? QStringList{output} : QStringList{});
        EXPECT_EQ(readAll(old) == "older work", c.taken != ask && old != output);
        EXPECT_EQ(TestMedia::streamFacts(output, "v:0") + TestMedia::streamFacts(output, "a:0"),
                  "mpeg2video,720,480,30000/1001,mp2,48000,2,0/0");
        EXPECT_EQ(TestMedia::streamFacts(output, "d:0").startsWith("dvd_nav_packet"), c.on);
        EXPECT_TRUE(!c.videoKept || timestamped(output));
        EXPECT_EQ(TestMedia::streamHash(output, "v:0") == TestMedia::streamHash(clip(c.input), "v:0"), c.videoKept);
        EXPECT_EQ(TestMedia::streamHash(output, "a:0") == TestMedia::streamHash(clip(c.input), "a:0"), c.audioKept);
        EXPECT_EQ(std::pair(f.outcome.made, readAll(output) == readAll(clip(c.input))), std::pair(how, how == Copied));
        EXPECT_NEAR(c.shape ? displayedShape(output) : 0, c.shape, c.shape * 0.02);
        // One second at the chosen rate, with the encoder's costly first frames and the audio on top.
        const qint64 size = QFileInfo(output).size();
        EXPECT_TRUE(c.megabits == 6 || (size > c.megabits * 125'000 && size < c.megabits * 300'000)) << size;
    }
    const auto dvdauthor = TestMedia::runTool(DVDAUTHOR_TOOL, authored);
    EXPECT_TRUE(dvdauthor.has_value() && !dvdauthor->contains("WARN")) << dvdauthor.value_or("failed").constData();
}

// Files as people bring them, made small: each comes out in the delivery format, a re-encoded
// picture MPEG-2 Main Profile 4:2:0, from the streams the probe judged (a kept one unchanged),
// its fields apart and in their order when the source is interlaced. Rows: ffmpeg's arguments
// after the test signals, then what the output keeps, its field order, channels and length.
TEST_F(FixJobTest, FilesFromBroadcastsCamerasAndEditorsComeOutInTheDeliveryFormat)
{
    // A picture of `size`, `filters` added, and a sound.
    const auto testSignals = [](const QString& size, int seconds = 1, const QString& filters = "") {
        const QString rate = size == "720x480" ? "30000/1001" : "25";
        return QString("-f lavfi -i testsrc2=rate=%1:duration=%2:size=%3%4"
                       " -f lavfi -i sine=sample_rate=48000:duration=%2").arg(rate).arg(seconds).arg(size, filters);
    };
    const QString small = testSignals("160x120"), large = testSignals("720x480"), sound = small.section(' ', 4);
    const QString three = " -map 0 -map 1 -map 2";
    // A shell would split this name, run its commands and leave a marker in the working folder;
    // the tool echoes it, error phrase and all.
    const QString hostile = "\"q\" 's' $(touch marker) `touch marker`; touch marker & | \\ *\n"
                            "\u00e9 \u65e5 Invalid Data ";
    ASSERT_TRUE(TestMedia::write(clip("font.bin"), "not a font ffmpeg knows"));
    // In 4:2:2, white and blue lines in the top field, black and yellow ones in the bottom.
    const QString fields = ",format=yuv422p,geq=lum=if(mod(Y\\,2)\\,16\\,235):cb=if(mod(Y\\,2)\\,40\\,216):cr=128"
                           ",setfield=";
    struct Case {
        // The input's streams the output keeps unchanged, by their number in their kind; -1 for none.
        QString name, recipe; int video, audio; const char* order; int channels; double seconds;
        bool fields = false;
        OutputOptions options = {};
        // The output's frame, shape and rate, and its sound.
        QString picture = "720,480,4:3", rate = "30000/1001", sound = "mp2";
    };
    using enum PictureShape;
    const Case cases[] = {
        // The second sound starts later than ffmpeg looks, as in a DVB recording.
        {"broadcast.ts", testSignals("160x120", 9) + " -itsoffset 8 " + sound + three + " -c:v mpeg2video -c:a mp2"
         " -b:a 64k", -1, 0, "bb", 1, 9.0},
        {"attachment.mkv", small + " -c:v mpeg2video -c:a mp2 -attach " + clip("font.bin") +
         " -metadata:s:t mimetype=application/x-unknown", -1, 0, "bb", 1, 1.0},
        {"prores.mov", small + " -c:v prores_ks -c:a pcm_s16le", -1, -1, "bb", 1, 1.0},
        // ffmpeg does not say DV's fields are bottom first.
        {"camcorder.dv", testSignals("720x480", 1, fields + "bff") + " -target ntsc-dv", -1, -1, "bb", 2, 1, true},
        {"studio.mpg", large + " -c:v mpeg2video -pix_fmt yuv422p -flags ildct -aspect 4:3 -c:a mp2",
         -1, 0, "bb", 1, 1.0},
        {hostile + "phone.avi", small + " -c:v mpeg4 -c:a mp2 -ac 2", -1, 0, "bb", 2, 1.0},
        // ffmpeg would write the default AC-3 5.1, not the MP2 commentary listed last.
        {"commentary.mkv", small + " " + sound + three + " -c:v mpeg2video -c:a:0 ac3 -ac:a:0 6 -c:a:1 mp2 -ac:a:1 2"
         " -disposition:a:0 default -disposition:a:1 0", -1, -1, "bb", 2, 1.0},
        // Nor the first streams when others are marked default; a 5.1 sound is no better than the default stereo.
        {"defaults.mkv", small + " " + large.section(' ', 0, 3) + " -map 0 -map 2 -map 1 -map 1 -c:v:0 libx264 -c:v:1"
         " mpeg2video -b:v:1 6000k -aspect 4:3 -c:a:0 ac3 -ac:a:0 6 -c:a:1 mp2 -ac:a:1 2 -disposition:v:0 0"
         " -disposition:v:1 default -disposition:a:0 0 -disposition:a:1 default", 1, 1, "progressive", 2, 1.0},
        {"cover.mp4", large + " -f lavfi -i color=s=64x64:d=0.1" + three + " -c:v:0 mpeg2video -b:v:0 6000k"
         " -aspect:v:0 4:3 -c:v:1 mjpeg -frames:v:1 1 -disposition:v:1 attached_pic -c:a aac",
         0, -1, "progressive", 1, 1.0},
        // A 1080i broadcast's shape.
        {"interlaced.ts", testSignals("160x120", 1, fields + "tff") + " -c:v libx264 -pix_fmt yuv422p"
         " -flags +ildct+ilme -c:a mp2", -1, 0, "tt", 1, 1.0, true},
        // The other standard, shape and sound, and more effort, each on a DVD.
        {"pal.mpg", testSignals("720x576", 1, fields + "bff") + " -c:v mpeg2video -pix_fmt yuv422p -flags +ildct+ilme"
         " -top 0 -c:a mp2", -1, 0, "bb", 1, 1, true,
         {.dvd = true, .standard = TvStandard::Pal, .quality = Quality::Best}, "720,576,4:3", "25/1"},
        {"phone.mp4", testSignals("320x180") + " -c:v libx264 -c:a aac", -1, -1, "bb", 1, 1, false,
         {.dvd = true, .shape = LikeSource, .audio = AudioCodec::Ac3, .quality = Quality::Better}, "720,480,16:9",
         "30000/1001", "ac3"},
        // A broadcast film's 5.1 sound is kept; its commentary in MP2 is none for AC-3.
        {"film.ts", large + " " + sound + three + " -c:v mpeg2video -b:v 6000k -flags ildct -aspect 16:9 -c:a:0 ac3"
         " -ac:a:0 6 -b:a:0 448k -c:a:1 mp2", 0, 0, "bb", 6, 1, false,
         {.dvd = true, .shape = Widescreen, .audio = AudioCodec::Ac3}, "720,480,16:9", "30000/1001", "ac3"},
        // Streams that conform in another container go into a program stream.
        {"conforming.avi", large + " -c:v mpeg2video -bf 2 -b:v 6000k -flags ildct -aspect 4:3 -c:a mp2", 0, 0,
         "bb", 1, 1},
    };
    const QString entries = "stream=codec_name,profile,width,height,display_aspect_ratio,pix_fmt,field_order,"
                            "r_frame_rate,sample_rate,channels:format=format_name,duration";
    const QString delivered = "mpeg2video,Main,%1,yuv420p,%2,%3, %4,unknown,48000,%5,0/0";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString input = clip(c.name), output = FixJob::outputPath(out.path(), input);
        ASSERT_TRUE(ffmpeg(c.recipe, input));
        f.settings.output = c.options;
        EXPECT_TRUE(f.fix({input}).contains((c.video >= 0 && c.audio >= 0 ? "copying " : "transcoding ") + c.name));
        const QStringList probe{"-v", "error", "-show_entries", entries, "-of", "csv=p=0", output};
        QStringList facts = QString(TestMedia::runTool(FFPROBE_TOOL, probe).value_or("")).simplified().split(' ');
        // A DVD program stream lists its navigation packets first.
        facts.removeIf([](const QString& fact) { return fact.startsWith("dvd_nav_packet"); });
        EXPECT_EQ(facts.mid(0, 2).join(' '), delivered.arg(c.picture, c.order, c.rate, c.sound).arg(c.channels));
        EXPECT_TRUE(facts.value(2).startsWith("mpeg,") && (c.video < 0 || timestamped(output)));
        EXPECT_NEAR(facts.value(2).section(',', 1).toDouble(), c.seconds, 0.1);
        const QString dvd = QString("%1+%2").arg(c.rate == "25/1" ? "pal" : "ntsc", c.picture.section(',', 2));
        const auto authored = TestMedia::runTool(DVDAUTHOR_TOOL, {"-o", out.filePath(c.name + ".dvd"), "-t", "-v",
                                                                  dvd + (dvd.endsWith("16:9") ? "+nopanscan" : ""), "-a", c.sound, output});
        EXPECT_TRUE(!c.options.dvd || (authored && !authored->contains("WARN"))) << authored.value_or("").data();
        const auto kept = [&](const QString& kind, int n) {
            return TestMedia::streamHash(output, kind + ":0")
                   == TestMedia::streamHash(input, kind + ":" + QString::number(std::max(n, 0)));
        };
        EXPECT_EQ(std::pair(kept("v", c.video), kept("a", c.audio)), std::pair(c.video >= 0, c.audio >= 0));
        // Lines of one field stay apart from the other's, in brightness and colour alike, not
        // blended into combs.
        const QByteArray frame = firstFrame(output, "yuv420p");
        const int height = c.picture.section(',', 1, 1).toInt();
        const auto apart = [&](int offset, int width, int lines) {
            double sum = 0;
            const bool whole = frame.size() == 720 * height * 3 / 2;
            for (int i = 0; whole && i < width * lines; i += i % width == width - 1 ? width + 1 : 1)
                sum += std::abs(uchar(frame[offset + i]) - uchar(frame[offset + i + width])) / (width * lines / 2.0);
            return sum;
        };
        EXPECT_EQ(std::min(apart(0, 720, height), apart(720 * height, 360, height / 2)) > 120, c.fields)
            << apart(0, 720, height) << " " << apart(720 * height, 360, height / 2);
    }
    EXPECT_FALSE(QFile::exists("marker"));
}

TEST_F(FixJobTest, EveryFailureShowsOneSheetAndLeavesFilesAlone)
{
    TestMedia::write(out.filePath("plain"), "a file");
    QFile::copy(clip("clip.mpg"), out.filePath("clip.mpg"));
    QFile::link(out.path(), out.filePath("link"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(out.filePath("fifo.avi")).constData(), 0600), 0);
    QDir().mkpath(out.filePath("vids"));
    const QByteArray existing = readAll(out.filePath("clip.mpg"));
    // A song with its cover picture.
    ASSERT_TRUE(ffmpeg("-f lavfi -i sine=duration=1 -f lavfi -i color=s=64x64:d=0.1 -map 0 -map 1 -c:v mjpeg"
                       " -frames:v 1 -disposition:v attached_pic", clip("song.m4a")));
    // Files named as videos that name another one, which ffmpeg would read instead.
    for (const auto& [name, text] : {std::pair("playlist.mp4", "#EXTM3U\n#EXT-X-TARGETDURATION:2\n#EXTINF:1,\n"),
                                     {"list.mp4", "ffconcat version 1.0\nfile "}})
        TestMedia::write(out.filePath(name), text + QFile::encodeName(clip("clip.mpg")) + "\n");
    const QString taken = out.filePath("clip.mpg") + " already exists", over = "clip.mpg would be written over itself";
    const struct { const char* what; QString input, folder; bool force; QString error; } cases[] = {
        {"not a video", clip("notes.txt"), out.path(), false, "Not a recognized file format: notes.txt"},
        {"no picture", clip("song.m4a"), out.path(), false, "song.m4a has no picture: mpgfix only converts video"},
        {"copy onto an existing file", clip("clip.mpg"), out.path(), false, taken},
        {"transcode onto an existing file", clip("clip.mpg"), out.path(), true, taken},
        {"input is the output to copy", out.filePath("clip.mpg"), out.filePath("link/."), false, over},
        {"input is the output to transcode", out.filePath("clip.mpg"), out.filePath("link"), true, over},
        {"folder cannot be made", clip("clip.mpg"), out.filePath("plain/sub"), false, out.filePath("plain/sub")},
        {"a pipe", out.filePath("fifo.avi"), out.path(), false, "fifo.avi is a named pipe"},
        {"a name not in UTF-8", out.filePath("caf\uFFFD.mp4"), out.path(), false, "not valid UTF-8"},
        {"a folder without videos", out.filePath("vids"), out.path(), false, "vids holds no video files"},
        {"a file that is gone", out.filePath("gone.mp4"), out.path(), false, "gone.mp4 no longer exists"},
        {"a playlist", out.filePath("playlist.mp4"), out.path(), false, "playlist.mp4 was not read: ffmpeg takes it for \"hls\""},
        {"a concat list", out.filePath("list.mp4"), out.path(), false, "list.mp4 was not read: ffmpeg takes it for \"concat\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        JobFixture fixture;
        fixture.settings.folder = c.folder;
        fixture.settings.output.reencodeAll = c.force;
        const QStringList events = fixture.fix({c.input});
        // Refused before anything is read: nothing is copied or transcoded.
        // The list says the same; a taken name is the user's rule at work, not a failure.
        ASSERT_EQ(events.mid(1), (QStringList{"end", "error " + fixture.outcome.reason}));
        EXPECT_TRUE(fixture.outcome.reason.contains(c.error)) << fixture.outcome.reason.toStdString();
        EXPECT_EQ(fixture.outcome.state, c.error.endsWith("already exists") ? JobState::Skipped : JobState::Failed);
        EXPECT_EQ(readAll(out.filePath("clip.mpg")), existing);
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  (QStringList{"clip.mpg", "fifo.avi", "list.mp4", "plain", "playlist.mp4"}));
    }
}

TEST_F(FixJobTest, AFailedTranscodeLeavesNoFile)
{
    f.settings.output.reencodeAll = true;
    f.holdFailures = true;
    std::optional<TestMedia::FileSizeLimit> fullDisk(std::in_place, 64 * 1024);
    f.queue.add({clip("clip.mpg")});
    EXPECT_TRUE(spinUntil([&] { return f.held; }, 60000));
    fullDisk.reset();
    // The partial output is gone already while the user reads why.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    // The message names the file asked for, never the temporary one.
    EXPECT_EQ(f.events.filter("error Could not transcode clip.mpg: ").size(), 1);
    EXPECT_FALSE(f.events.join(' ').contains(".mpgfix-"));
}

// A file that would not fit fails before anything is written, saying what it needs and what is
// free; one whose estimate fit but whose output did not fails with ffmpeg's complaint, which
// names the file asked for, never the hidden one it was written to. Neither leaves a file.
TEST_F(FixJobTest, AFullFolderFailsTheFileAndLeavesNothing)
{
    const struct { const char* size; qint64 kbps; const char* error; } cases[] = {
        {"size=64k", 6000, "^error There is not enough room in .*/small: the file needs about .*, and 64"},
        {"size=160k", 1000, "^error Could not transcode clip.mpg: .*/small/clip.mpg: No space left on device$"},
    };
    const QString small = out.filePath("small");
    for (const auto& c : cases) {
        if (!QDir().mkpath(small) || !TestMedia::runTool("/bin/mount", {"-t", "tmpfs", "-o", c.size, "tmpfs", small}))
            GTEST_SKIP() << "no small tmpfs can be mounted here";
        f.settings.folder = small, f.settings.output = {.reencodeAll = true, .videoKbps = c.kbps};
        const QStringList events = f.fix({clip("clip.mpg")});
        const QStringList left = QDir(small).entryList(QDir::Files | QDir::Hidden);
        TestMedia::runTool("/bin/umount", {small});
        EXPECT_EQ(events.filter(QRegularExpression(c.error)).size(), 1) << events.join(" | ").toStdString();
        EXPECT_EQ(left, QStringList());
    }
}

TEST_F(FixJobTest, OutputNamesLoseOnlyTheLastExtension)
{
    const char* cases[][2] = {{"/in/movie.avi", "/out/movie.mpg"}, {"/in/a.b.mov", "/out/a.b.mpg"},
                              {"/in/noextension", "/out/noextension.mpg"}, {"/in/.hidden", "/out/.hidden.mpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(FixJob::outputPath("/out", c[0]), c[1]);
}
