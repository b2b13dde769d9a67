#include "TestPrinters.h"
#include "VideoProcessor.h"

#include <gtest/gtest.h>

namespace {

TEST(TranscodeArguments, FollowTheFlagsAndKeepEachPathOneUntouchedArgument)
{
    const QStringList mpeg2{"-vcodec", "mpeg2video", "-b", "6000k", "-flags", "ildct",
                            "-r", "29.97", "-s", "720x480", "-aspect", "4:3"};
    const QStringList videoCopy{"-vcodec", "copy"};
    const QStringList audioCopy{"-acodec", "copy"};
    const auto mp2 = [](const char* channels) {
        return QStringList{"-acodec", "mp2", "-ab", "192k", "-ar", "48000", "-ac", channels};
    };
    const struct {
        int videoFormat, audioFormat;
        std::optional<QString> channels;
        QStringList videoOptions, audioOptions;
    } cases[] = {
        {0, 0, "mono", videoCopy, audioCopy},
        {1, 0, "mono", mpeg2, audioCopy},
        {0, 1, "mono", videoCopy, mp2("1")},
        {1, 1, "stereo", mpeg2, mp2("2")},
        {-7, 2, "mono", mpeg2, mp2("1")},
        {1, 1, "5.1(side)", mpeg2, mp2("2")},
        {1, 1, "Mono", mpeg2, mp2("2")},
        {1, 1, std::nullopt, mpeg2, mp2("2")},
    };
    const QString input = "/in/a \"b\" $(c) `d`;\ne.avi";
    const QString output = "/out/x y.mpg";
    for (const auto& c : cases) {
        EXPECT_EQ(VideoProcessor::transcodeArguments(input, output, c.videoFormat, c.audioFormat, 6000, c.channels),
                  QStringList({"-y", "-i", input}) + c.videoOptions + c.audioOptions + QStringList{output})
            << c.videoFormat << " " << c.audioFormat << " " << c.channels.value_or("(absent)").toStdString();
    }
    EXPECT_EQ(VideoProcessor::probeArguments(input), (QStringList{"-i", input}));
}

TEST(VideoProcessorRecord, StartsFromTheDefaultsWithTheGivenPath)
{
    const VideoProcessor record(QStringLiteral("/movies/clip.avi"));
    EXPECT_EQ(record.path(), "/movies/clip.avi");
    EXPECT_EQ(record.video() + record.audio() + record.toolPath(), "");
    EXPECT_EQ(record.width() + record.height() + record.audioRate(), 0);
    EXPECT_EQ(record.audioChannels(), std::nullopt);
    EXPECT_EQ(record.frameRate(), 0.0);
    EXPECT_FALSE(record.callback() || record.errorCallback());
}

} // namespace
