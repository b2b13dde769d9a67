#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using TestPrinters::PrintTo;

const QStringList mpeg2Options{"-vcodec", "mpeg2video", "-b", "6000k", "-flags", "ildct",
                               "-r", "29.97", "-s", "720x480", "-aspect", "4:3"};
const QStringList videoCopy{"-vcodec", "copy"};
const QStringList audioCopy{"-acodec", "copy"};

QStringList mp2Options(int channels)
{
    return {"-acodec", "mp2", "-ab", "192k", "-ar", "48000", "-ac", QString::number(channels)};
}

struct ArgumentsCase {
    const char* name;
    int videoFormat;
    int audioFormat;
    std::optional<QString> audioChannels;
    QStringList videoOptions;
    QStringList audioOptions;
};

class TranscodeArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(TranscodeArguments, HoldEachPathAsOneUntouchedArgument)
{
    const ArgumentsCase& c = GetParam();
    const QString input = QStringLiteral("/in/a \"b\" $(c) `d`;\ne.avi");
    const QString output = QStringLiteral("/out/x y.mpg");
    const QStringList expected =
        QStringList{"-y", "-i", input} + c.videoOptions + c.audioOptions + QStringList{output};
    EXPECT_EQ(VideoProcessor::transcodeArguments(input, output, c.videoFormat, c.audioFormat, 6000, c.audioChannels),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TranscodeArguments,
    testing::Values(
        ArgumentsCase{"CopyBoth", 0, 0, QStringLiteral("mono"), videoCopy, audioCopy},
        ArgumentsCase{"VideoOnly", 1, 0, QStringLiteral("mono"), mpeg2Options, audioCopy},
        ArgumentsCase{"AudioOnlyMono", 0, 1, QStringLiteral("mono"), videoCopy, mp2Options(1)},
        ArgumentsCase{"BothStereo", 1, 1, QStringLiteral("stereo"), mpeg2Options, mp2Options(2)},
        ArgumentsCase{"AnyNonZeroFlag", -7, 2, QStringLiteral("mono"), mpeg2Options, mp2Options(1)},
        ArgumentsCase{"OtherLayout", 1, 1, QStringLiteral("5.1(side)"), mpeg2Options, mp2Options(2)},
        ArgumentsCase{"MonoIsCaseSensitive", 1, 1, QStringLiteral("Mono"), mpeg2Options, mp2Options(2)},
        ArgumentsCase{"ChannelsAbsent", 1, 1, std::nullopt, mpeg2Options, mp2Options(2)}),
    [](const testing::TestParamInfo<ArgumentsCase>& info) { return std::string(info.param.name); });

TEST(TranscodeArguments, BitrateIsUsedOnlyWhenTheVideoIsEncoded)
{
    EXPECT_TRUE(VideoProcessor::transcodeArguments("/a", "/b", 1, 0, 9000, std::nullopt).contains("9000k"));
    EXPECT_FALSE(VideoProcessor::transcodeArguments("/a", "/b", 0, 1, 9000, std::nullopt).join(' ').contains("9000"));
}

TEST(ProbeArguments, NameOnlyTheInput)
{
    EXPECT_EQ(VideoProcessor::probeArguments(QStringLiteral("/in/\"odd\" name.avi")),
              (QStringList{"-i", "/in/\"odd\" name.avi"}));
}

TEST(VideoProcessorRecord, StartsFromTheDefaultsWithTheGivenPath)
{
    const VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    EXPECT_EQ(record.path(), "/movies/clip.avi");
    EXPECT_EQ(record.video(), "");
    EXPECT_EQ(record.audio(), "");
    EXPECT_EQ(record.width(), 0);
    EXPECT_EQ(record.height(), 0);
    EXPECT_EQ(record.audioRate(), 0);
    EXPECT_EQ(record.audioChannels(), std::nullopt);
    EXPECT_EQ(record.frameRate(), 0.0);
    EXPECT_FALSE(record.callback());
    EXPECT_FALSE(record.errorCallback());
    EXPECT_EQ(record.toolPath(), "");
}

TEST(VideoProcessorRecord, ReplacingAClosureReleasesTheOldOne)
{
    VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    auto captured = std::make_shared<int>(0);
    record.setCallback([captured](double) {});
    EXPECT_EQ(captured.use_count(), 2);
    record.setCallback([](double) {});
    EXPECT_EQ(captured.use_count(), 1);
}

} // namespace
