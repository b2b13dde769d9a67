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

using TestPrinters::PrintTo;

using namespace TestMedia;

struct Reports {
    explicit Reports(VideoProcessor& record)
    {
        record.setCallback([this](double fraction) { progress.push_back(fraction); });
        record.setErrorCallback([this](const EngineError& error) { errors.push_back(error); });
    }
    std::vector<double> progress;
    std::vector<EngineError> errors;
};

struct Facts {
    QString video;
    qint64 width;
    qint64 height;
    double frameRate;
    QString audio;
    qint64 audioRate;
    std::optional<QString> audioChannels;
};

struct ProbeCase {
    const char* name;
    QString fileName;
    ClipSpec clip;
    Facts facts;
};

class Probe : public testing::TestWithParam<ProbeCase> {};

TEST_P(Probe, FillsTheStreamFacts)
{
    TestFolder folder;
    const QString input = folder.filePath(GetParam().fileName);
    ASSERT_TRUE(makeClip(input, GetParam().clip));
    VideoProcessor record(input);
    Reports reports(record);

    record.loadInformation();

    const Facts& facts = GetParam().facts;
    EXPECT_TRUE(reports.errors.empty());
    EXPECT_EQ(record.video(), facts.video);
    EXPECT_EQ(record.width(), facts.width);
    EXPECT_EQ(record.height(), facts.height);
    EXPECT_EQ(record.frameRate(), facts.frameRate);
    EXPECT_EQ(record.audio(), facts.audio);
    EXPECT_EQ(record.audioRate(), facts.audioRate);
    EXPECT_EQ(record.audioChannels(), facts.audioChannels);
}

INSTANTIATE_TEST_SUITE_P(
    Clips, Probe,
    testing::Values(
        ProbeCase{"ConformingMpeg", "dvd.mpg", conformingMpeg(),
                  {"mpeg2video", 720, 480, 29.97, "mp2", 48000, QStringLiteral("stereo")}},
        ProbeCase{"H264AacMono", "phone.mp4", h264AacMono(),
                  {"h264", 160, 120, 0.0, "aac (LC) (mp4a / 0x6134706D)", 44100, QStringLiteral("mono")}},
        ProbeCase{"Pcm", "voice.wav", pcmAudio(),
                  {"", 0, 0, 0.0, "pcm_s16le ([1][0][0][0] / 0x0001)", 44100, QStringLiteral("stereo")}}),
    [](const testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

TEST(ProbeFailure, TextFileIsNotARecognizedFormat)
{
    TestFolder folder;
    const QString input = folder.filePath("notes.txt");
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some words\n");
    file.close();
    VideoProcessor record(input);
    Reports reports(record);

    record.loadInformation();

    const std::vector<EngineError> expected{
        {"FFMPEG", FfmpegErrors::UnrecognizedFormat, "Not a recognized file format: notes.txt"}};
    EXPECT_EQ(reports.errors, expected);
    EXPECT_EQ(record.video(), "");
}

// Expected output stream: either a fact to check with ffprobe, or "the input's stream unchanged".
struct OutputStream {
    QString codec;  // empty: passed through, compared by hash
    int channels = 0;
};

struct TranscodeCase {
    const char* name;
    QString fileName;
    ClipSpec clip;
    int videoFormat;
    int audioFormat;
    int channels;  // of the re-encoded audio
};

class Transcode : public testing::TestWithParam<TranscodeCase> {};

ClipSpec smallMpeg()
{
    ClipSpec spec = conformingMpeg();
    spec.width = 160;
    spec.height = 120;
    spec.frameRate = "25";
    return spec;
}

ClipSpec conformingVideoWith44kAudio()
{
    ClipSpec spec = conformingMpeg();
    spec.sampleRate = 44100;
    return spec;
}

TEST_P(Transcode, WritesTheDeliveryFormatAndPassesStreamsThrough)
{
    const TranscodeCase& c = GetParam();
    TestFolder folder;
    const QString input = folder.filePath(c.fileName);
    const QString output = folder.filePath("out.mpg");
    ASSERT_TRUE(makeClip(input, c.clip));
    VideoProcessor record(input);
    Reports reports(record);
    record.loadInformation();

    record.transcode(output, c.videoFormat, c.audioFormat, 6000);

    EXPECT_TRUE(reports.errors.empty());
    ASSERT_FALSE(reports.progress.empty());
    EXPECT_GT(reports.progress.back(), 0.9);

    if (c.videoFormat != 0) {
        const auto video = probeStream(output, "v:0");
        ASSERT_TRUE(video);
        EXPECT_EQ(video->codec, "mpeg2video");
        EXPECT_EQ(video->width, 720);
        EXPECT_EQ(video->height, 480);
        EXPECT_EQ(video->frameRate, "30000/1001");
    } else {
        EXPECT_EQ(streamHash(output, "v:0"), streamHash(input, "v:0"));
        EXPECT_FALSE(streamHash(output, "v:0").isEmpty());
    }
    if (c.audioFormat != 0) {
        const auto audio = probeStream(output, "a:0");
        ASSERT_TRUE(audio);
        EXPECT_EQ(audio->codec, "mp2");
        EXPECT_EQ(audio->sampleRate, 48000);
        EXPECT_EQ(audio->channels, c.channels);
    } else {
        EXPECT_EQ(streamHash(output, "a:0"), streamHash(input, "a:0"));
        EXPECT_FALSE(streamHash(output, "a:0").isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Transcode,
    testing::Values(TranscodeCase{"EncodeBothMono", "phone.mp4", h264AacMono(), 1, 1, 1},
                    TranscodeCase{"EncodeVideoOnly", "small.mpg", smallMpeg(), 1, 0, 0},
                    TranscodeCase{"EncodeAudioOnly", "dvd44k.mpg", conformingVideoWith44kAudio(), 0, 1, 2},
                    TranscodeCase{"CopyBoth", "dvd.mpg", conformingMpeg(), 0, 0, 0}),
    [](const testing::TestParamInfo<TranscodeCase>& info) { return std::string(info.param.name); });

TEST(TranscodeNames, HostileFileNamesAreJustNames)
{
    TestFolder folder;
    const QString source = folder.filePath("source.mpg");
    ASSERT_TRUE(makeClip(source, conformingVideoWith44kAudio()));
    const QStringList names{
        "double \"quoted\" and 'single'",
        "$(touch marker)",
        "`touch marker`",
        "a; touch marker; b & c | d",
        "new\nline",
        "back\\slash $HOME * ~",
        "é ünïcödé 日本",
    };
    // Anything the shell might run would make its marker in the working folder.
    const QString workingDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const QString& name : names) {
        const QString input = folder.filePath(name + ".mpg");
        const QString output = folder.filePath("out " + name + ".mpg");
        ASSERT_TRUE(QFile::copy(source, input));
        VideoProcessor record(input);
        Reports reports(record);

        record.loadInformation();
        record.transcode(output, 0, 1, 6000);

        EXPECT_TRUE(reports.errors.empty()) << name.toStdString();
        EXPECT_EQ(record.video(), "mpeg2video") << name.toStdString();
        const auto audio = probeStream(output, "a:0");
        ASSERT_TRUE(audio) << name.toStdString();
        EXPECT_EQ(audio->codec, "mp2");
        EXPECT_EQ(audio->sampleRate, 48000);
    }
    QDir::setCurrent(workingDir);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
}

TEST(TranscodeFailure, IsReportedWithTheToolsComplaint)
{
    TestFolder folder;
    const QString input = folder.filePath("clip.mp4");
    ASSERT_TRUE(makeClip(input, h264AacMono()));
    QFile(folder.filePath("afile")).open(QIODevice::WriteOnly);
    struct Case {
        QString input;
        QString output;
        QString description;
    };
    const QString throughFile = folder.filePath("afile/out.mpg");
    const QString missingFolder = folder.filePath("missing/out.mpg");
    const QString gone = folder.filePath("gone.mp4");
    const Case cases[] = {
        {input, throughFile, "Could not transcode clip.mp4: " + throughFile + ": Not a directory"},
        {input, missingFolder, "Could not transcode clip.mp4: " + missingFolder + ": No such file or directory"},
        {gone, folder.filePath("out.mpg"), "Could not transcode gone.mp4: " + gone + ": No such file or directory"},
    };
    for (const Case& c : cases) {
        VideoProcessor record(c.input);
        Reports reports(record);

        record.transcode(c.output, 1, 1, 6000);

        const std::vector<EngineError> expected{{"FFMPEG", FfmpegErrors::TranscodeFailed, c.description}};
        EXPECT_EQ(reports.errors, expected);
    }
}

} // namespace
