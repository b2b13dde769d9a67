#include "RecordedRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

// The engine against the machine's ffmpeg, found the way the app finds it, on clips made here.
namespace {

using namespace TestMedia;

// A failed transcode says why in the tool's own words and leaves the facts the probe found.
TEST(Transcode, ReportsTheToolsOwnReasonForFailing)
{
    TestFolder folder;
    // No folder can be made below a regular file, even by root.
    const QString input = folder.filePath("phone.mp4"), throughFile = input + "/out.mpg";
    ASSERT_TRUE(makeClip(input, h264AacMono()));
    RecordedRun run(input);
    run.record.loadInformation();
    run.record.transcode(throughFile, encoding(1, 1, 1));
    EXPECT_EQ(run.facts(), "[h264 yuv420p prog #0] 160x120 0fps [aac #0] 44100Hz mono");
    EXPECT_EQ(run.errors, transcodeFailed("Could not transcode phone.mp4: " + throughFile + ": Not a directory"));
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
        ASSERT_TRUE(makeClip(input, c.clip) && (!c.damage || (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
                    file.seek(file.size() / 2) && file.write(QByteArray(3000, '\xff')) == 3000)));
        RecordedRun run(input);
        // The encoded audio's channels follow the probe's facts.
        TranscodePlan plan = DeliveryFormat::plan(run.record.loadInformation(), false, 6000, {});
        plan.encodeVideo = c.video, plan.encodeAudio = c.audio;
        run.record.transcode(output, plan);
        EXPECT_TRUE(run.errors.empty() && !run.progress.empty());
        EXPECT_EQ(streamFacts(output, "v:0") + streamFacts(output, "a:0"),
                  QStringLiteral("mpeg2video,720,480,30000/1001,mp2,48000,%1,0/0").arg(c.channels));
        EXPECT_TRUE((c.video || streamHash(output, "v:0") == streamHash(input, "v:0")) &&
                    (c.audio || streamHash(output, "a:0") == streamHash(input, "a:0")));
    }
    QDir::setCurrent(workingDir);
    EXPECT_FALSE(QFile::exists(folder.filePath("marker")));
}

} // namespace
