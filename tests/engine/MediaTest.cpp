#include "FfmpegErrors.h"
#include "TestMedia.h"
#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <vector>

// The engine against the machine's ffmpeg, found the way the app finds it, on clips made here.
namespace {

using namespace TestMedia;

struct EngineRun {
    explicit EngineRun(const QString& input) : record(input)
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    VideoProcessor record;
    std::vector<double> progress;
    std::vector<EngineError> errors;
};

ClipSpec withSize(ClipSpec spec, int width, int height, const char* frameRate)
{
    spec.width = width;
    spec.height = height;
    spec.frameRate = frameRate;
    return spec;
}

ClipSpec withSampleRate(ClipSpec spec, int sampleRate)
{
    spec.sampleRate = sampleRate;
    return spec;
}

TEST(Probe, FillsTheStreamFactsOrRaisesTheFormatError)
{
    TestFolder folder;
    QFile text(folder.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("just words\n") > 0);
    text.close();
    const struct {
        QString name;
        std::optional<ClipSpec> clip;
        QString video;
        qint64 width, height;
        double frameRate;
        QString audio;
        qint64 audioRate;
        std::optional<QString> channels;
        std::vector<EngineError> errors;
    } cases[] = {
        {"dvd.mpg", conformingMpeg(), "mpeg2video", 720, 480, 29.97, "mp2", 48000, "stereo", {}},
        {"phone.mp4", h264AacMono(), "h264", 160, 120, 0.0, "aac (LC) (mp4a / 0x6134706D)", 44100, "mono", {}},
        {"voice.wav", pcmAudio(), "", 0, 0, 0.0, "pcm_s16le ([1][0][0][0] / 0x0001)", 44100, "stereo", {}},
        {"notes.txt", std::nullopt, "", 0, 0, 0.0, "", 0, std::nullopt,
         {{"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: notes.txt"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        if (c.clip) {
            ASSERT_TRUE(makeClip(folder.filePath(c.name), *c.clip));
        }
        EngineRun run(folder.filePath(c.name));
        run.record.loadInformation();
        EXPECT_EQ(run.errors, c.errors);
        EXPECT_EQ(run.record.video(), c.video);
        EXPECT_EQ(run.record.width(), c.width);
        EXPECT_EQ(run.record.height(), c.height);
        EXPECT_EQ(run.record.frameRate(), c.frameRate);
        EXPECT_EQ(run.record.audio(), c.audio);
        EXPECT_EQ(run.record.audioRate(), c.audioRate);
        EXPECT_EQ(run.record.audioChannels(), c.channels);
    }
}

TEST(Transcode, WritesTheDeliveryFormatAndPassesStreamsThroughUnchanged)
{
    const struct {
        QString name;
        ClipSpec clip;
        int videoFormat, audioFormat, channels;
    } cases[] = {
        {"phone.mp4", h264AacMono(), 1, 1, 1},
        {"small.mpg", withSize(conformingMpeg(), 160, 120, "25"), 1, 0, 0},
        {"dvd44k.mpg", withSampleRate(conformingMpeg(), 44100), 0, 1, 2},
        {"dvd.mpg", conformingMpeg(), 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        TestFolder folder;
        const QString input = folder.filePath(c.name);
        const QString output = folder.filePath("out.mpg");
        ASSERT_TRUE(makeClip(input, c.clip));
        EngineRun run(input);
        run.record.loadInformation();
        run.record.transcode(output, c.videoFormat, c.audioFormat, 6000);

        EXPECT_TRUE(run.errors.empty());
        EXPECT_GT(run.progress.empty() ? 0.0 : run.progress.back(), 0.9);
        const StreamFacts video = probeStream(output, "v:0").value_or(StreamFacts());
        const StreamFacts audio = probeStream(output, "a:0").value_or(StreamFacts());
        EXPECT_EQ(video.codec, "mpeg2video");
        EXPECT_EQ(audio.codec, "mp2");
        if (c.videoFormat != 0) {
            EXPECT_EQ(video.width, 720);
            EXPECT_EQ(video.height, 480);
            EXPECT_EQ(video.frameRate, "30000/1001");
        } else {
            EXPECT_EQ(streamHash(output, "v:0"), streamHash(input, "v:0"));
        }
        if (c.audioFormat != 0) {
            EXPECT_EQ(audio.sampleRate, 48000);
            EXPECT_EQ(audio.channels, c.channels);
        } else {
            EXPECT_EQ(streamHash(output, "a:0"), streamHash(input, "a:0"));
        }
    }
}

TEST(Transcode, HostileFileNamesAreJustNames)
{
    TestFolder folder;
    const QString source = folder.filePath("source.mpg");
    ASSERT_TRUE(makeClip(source, withSampleRate(conformingMpeg(), 44100)));
    // Anything a shell might run would leave its marker in the working folder.
    const QString workingDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const QString name : {"double \"quoted\" and 'single'", "$(touch marker)", "`touch marker`",
                               "a; touch marker; b & c | d", "new\nline", "back\\slash $HOME * ~", "é ünïcödé 日本"}) {
        SCOPED_TRACE(name.toStdString());
        const QString input = folder.filePath(name + ".mpg");
        const QString output = folder.filePath("out " + name + ".mpg");
        ASSERT_TRUE(QFile::copy(source, input));
        EngineRun run(input);
        run.record.loadInformation();
        run.record.transcode(output, 0, 1, 6000);
        EXPECT_TRUE(run.errors.empty());
        EXPECT_EQ(run.record.video(), "mpeg2video");
        EXPECT_EQ(probeStream(output, "a:0").value_or(StreamFacts()).sampleRate, 48000);
    }
    QDir::setCurrent(workingDir);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
}

TEST(Transcode, FailureIsReportedWithTheToolsComplaint)
{
    TestFolder folder;
    const QString input = folder.filePath("clip.mp4");
    ASSERT_TRUE(makeClip(input, h264AacMono()));
    QFile(folder.filePath("afile")).open(QIODevice::WriteOnly);
    const QString throughFile = folder.filePath("afile/out.mpg");
    const QString missingFolder = folder.filePath("missing/out.mpg");
    const QString gone = folder.filePath("gone.mp4");
    const struct {
        QString input, output, description;
    } cases[] = {
        {input, throughFile, "Could not transcode clip.mp4: " + throughFile + ": Not a directory"},
        {input, missingFolder, "Could not transcode clip.mp4: " + missingFolder + ": No such file or directory"},
        {gone, folder.filePath("out.mpg"), "Could not transcode gone.mp4: " + gone + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        EngineRun run(c.input);
        run.record.transcode(c.output, 1, 1, 6000);
        EXPECT_EQ(run.errors, (std::vector<EngineError>{{"FFMPEG", FfmpegErrors::TranscodeFailed, c.description}}));
    }
}

} // namespace
