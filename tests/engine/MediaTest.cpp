#include "RecordedRun.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <fstream>

// The engine against the machine's ffmpeg, found the way the app finds it, on clips made here.
namespace {

using namespace TestMedia;

TEST(Probe, FillsTheStreamFactsAndTranscodeReportsTheToolsComplaint)
{
    TestFolder folder;
    std::ofstream(QFile::encodeName(folder.filePath("notes.txt")).constData()) << "just words\n";
    // No folder can be made below a regular file, even by root.
    const QString throughFile = folder.filePath("phone.mp4/out.mpg"), gone = folder.filePath("gone.mp4");
    const QString failed = "Could not transcode ";
    const struct { QString name; std::optional<ClipSpec> clip; QString output, facts; Errors errors; } cases[] = {
        {"dvd.mpg", conformingMpeg(0.5), "", "[mpeg2video] 720x480 29.97fps [mp2] 48000Hz stereo", {}},
        {"voice.wav", pcmAudio(), "", "[] 0x0 0fps [pcm_s16le ([1][0][0][0] / 0x0001)] 44100Hz stereo", {}},
        {"notes.txt", std::nullopt, "", "[] 0x0 0fps [] 0Hz -",
         oneError(FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: notes.txt")},
        {"phone.mp4", h264AacMono(), throughFile, "[h264] 160x120 0fps [aac (LC) (mp4a / 0x6134706D)] 44100Hz mono",
         oneError(FfmpegErrors::TranscodeFailed, failed + "phone.mp4: " + throughFile + ": Not a directory")},
        {"gone.mp4", std::nullopt, folder.filePath("out.mpg"), "[] 0x0 0fps [] 0Hz -",
         oneError(FfmpegErrors::TranscodeFailed, failed + "gone.mp4: " + gone + ": No such file or directory")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        ASSERT_TRUE(!c.clip || makeClip(folder.filePath(c.name), *c.clip));
        RecordedRun run(folder.filePath(c.name));
        run.record.loadInformation();
        if (!c.output.isEmpty())
            run.record.transcode(c.output, 1, 1, 6000);
        EXPECT_EQ(run.errors, c.errors);
        EXPECT_EQ(run.facts(), c.facts);
    }
}

TEST(Transcode, WritesTheDeliveryFormatAndPassesStreamsThroughUnchangedWhateverTheFileName)
{
    TestFolder folder;
    ClipSpec smallVideo = conformingMpeg(0.5), cdAudio = conformingMpeg(0.5);
    smallVideo.width = 160, smallVideo.height = 120, smallVideo.frameRate = "25", cdAudio.sampleRate = 44100;
    const struct { const char* name; ClipSpec clip; int videoFormat, audioFormat, channels; } cases[] = {
        {"phone.mp4", h264AacMono(), 1, 1, 1},
        {"small.mpg", smallVideo, 1, 0, 2},
        {"cd.mpg", cdAudio, 0, 1, 2},
        {"dvd.mpg", conformingMpeg(0.5), 0, 0, 2},
    };
    // A shell would split these names, run their commands and leave a marker in the working folder.
    const QString hostile = "\"q\" 's' $(touch marker) `touch marker`; touch marker & | \\ $HOME *\né 日本 ";
    const QString workingDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString input = folder.filePath(hostile + c.name), output = folder.filePath(hostile + "out.mpg");
        ASSERT_TRUE(makeClip(input, c.clip));
        RecordedRun run(input);
        run.record.loadInformation();
        run.record.transcode(output, c.videoFormat, c.audioFormat, 6000);
        EXPECT_TRUE(run.errors.empty());
        EXPECT_FALSE(run.progress.empty());
        const StreamFacts video = probeStream(output, "v:0").value_or(StreamFacts()),
                          audio = probeStream(output, "a:0").value_or(StreamFacts());
        EXPECT_EQ(QStringLiteral("%1 %2x%3 %4 %5 %6Hz %7").arg(video.codec).arg(video.width).arg(video.height)
                      .arg(video.frameRate, audio.codec).arg(audio.sampleRate).arg(audio.channels),
                  QStringLiteral("mpeg2video 720x480 30000/1001 mp2 48000Hz %1").arg(c.channels));
        EXPECT_TRUE(c.videoFormat || streamHash(output, "v:0") == streamHash(input, "v:0"));
        EXPECT_TRUE(c.audioFormat || streamHash(output, "a:0") == streamHash(input, "a:0"));
    }
    QDir::setCurrent(workingDir);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
}

} // namespace
