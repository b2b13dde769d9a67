#include "RecordedRun.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <fstream>

// The engine against the machine's ffmpeg, found the way the app finds it, on clips made here.
namespace {

using namespace TestMedia;

TEST(Probe, FillsTheStreamFactsAndTranscodeReportsWhatWentWrong)
{
    TestFolder folder;
    std::ofstream(QFile::encodeName(folder.filePath("notes.txt")).constData()) << "just words\n";
    // No folder can be made below a regular file, even by root.
    const QString throughFile = folder.filePath("phone.mp4/out.mpg"), out = folder.filePath("out.mpg");
    const QString mpg = "[mpeg2video] 720x480 29.97fps [mp2] 48000Hz mono";  // the output's, as the tool ends
    const auto failed = [](const QString& why) { return transcodeFailed("Could not transcode " + why); };
    const QByteArray ffmpeg = "exec '" FFMPEG_TOOL "' ";
    // Tools for the transcode, wrapped around ffmpeg: writes beyond 50 KiB fail with "File too large"; the tool is
    // killed while it works.
    const struct { QString name; std::optional<ClipSpec> clip; QString into, facts; Errors errors; QByteArray tool{}; }
    cases[] = {
        {"dvd.mpg", conformingMpeg(0.5), "", "[mpeg2video] 720x480 29.97fps [mp2] 48000Hz stereo", {}},
        {"voice.wav", pcmAudio(), "", "[] 0x0 0fps [pcm_s16le ([1][0][0][0] / 0x0001)] 44100Hz stereo", {}},
        {"notes.txt", std::nullopt, "", "[] 0x0 0fps [] 0Hz -",
         oneError(FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: notes.txt")},
        {"phone.mp4", h264AacMono(), throughFile, "[h264] 160x120 0fps [aac (LC) (mp4a / 0x6134706D)] 44100Hz mono",
         failed("phone.mp4: " + throughFile + ": Not a directory")},
        {"full.mp4", h264AacMono(), out, mpg, failed("full.mp4: Error closing file " + out + ": File too large"),
         "trap '' XFSZ\nulimit -f 100\n" + ffmpeg + "\"$@\""},
        {"slow.mp4", h264AacMono(160, 120, 3), out, mpg, failed("slow.mp4: ffmpeg was stopped by signal 9 (Killed)"),
         "(sleep 1; kill -KILL $$) &\n" + ffmpeg + "-re \"$@\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        ASSERT_TRUE(!c.clip || makeClip(folder.filePath(c.name), *c.clip));
        RecordedRun run(folder.filePath(c.name));
        run.record.loadInformation();
        run.record.setToolPath(c.tool.isEmpty() ? QString() : writeTool(folder.filePath("ffmpeg"), c.tool + "\n"));
        if (!c.into.isEmpty())
            run.record.transcode(c.into, 1, 1, 6000);
        EXPECT_EQ(run.errors, c.errors);
        EXPECT_EQ(run.facts(), c.facts);
    }
}

TEST(Transcode, WritesTheDeliveryFormatAndPassesStreamsThroughUnchangedWhateverTheFileOrItsDamage)
{
    TestFolder folder;
    ClipSpec smallVideo = conformingMpeg(2.0), cdAudio = conformingMpeg(0.5);
    smallVideo.width = 160, smallVideo.height = 120, smallVideo.frameRate = "25", cdAudio.sampleRate = 44100;
    const struct { const char* name; ClipSpec clip; int video, audio, channels; bool damage = false; } cases[] = {
        {"phone.mp4", h264AacMono(), 1, 1, 1},
        {"small.mpg", smallVideo, 1, 0, 2},
        {"cd.mpg", cdAudio, 0, 1, 2},
        // Garbage in mid-file: the tool reports invalid data in an audio packet and carries on.
        {"damaged.mpg", smallVideo, 1, 1, 2, true},
    };
    // A shell would split these names, run their commands and leave a marker in the working folder;
    // the tool echoes them, error phrase and all.
    const QString hostile = "\"q\" 's' $(touch marker) `touch marker`; touch marker & | \\ *\né 日本 Invalid Data ";
    const QString workingDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString input = folder.filePath(hostile + c.name), output = folder.filePath(hostile + "out.mpg");
        QFile file(input);
        ASSERT_TRUE(makeClip(input, c.clip) && (!c.damage || (file.open(QIODevice::ReadWrite) &&
                    file.seek(file.size() / 2) && file.write(QByteArray(3000, '\xff')) == 3000)));
        file.close();
        RecordedRun run(input);
        run.record.loadInformation();
        run.record.transcode(output, c.video, c.audio, 6000);
        EXPECT_TRUE(run.errors.empty() && !run.progress.empty());
        const StreamFacts video = probeStream(output, "v:0").value_or(StreamFacts()),
                          audio = probeStream(output, "a:0").value_or(StreamFacts());
        EXPECT_EQ(QStringLiteral("%1 %2x%3 %4 %5 %6Hz %7").arg(video.codec).arg(video.width).arg(video.height)
                      .arg(video.frameRate, audio.codec).arg(audio.sampleRate).arg(audio.channels),
                  QStringLiteral("mpeg2video 720x480 30000/1001 mp2 48000Hz %1").arg(c.channels));
        EXPECT_TRUE(c.video || streamHash(output, "v:0") == streamHash(input, "v:0"));
        EXPECT_TRUE(c.audio || streamHash(output, "a:0") == streamHash(input, "a:0"));
    }
    QDir::setCurrent(workingDir);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
}

} // namespace
