#include "BareTool.h"
#include "Figures.h"
#include "Measure.h"

#include "TestMedia.h"
#include "ToolLocator.h"
#include "VideoProcessor.h"

#include <QFile>

namespace {

constexpr int rounds = 5;
constexpr qint64 bitrate = 6000;

} // namespace

FigureResult transcodeFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("clip.mp4");
    if (!TestMedia::makeClip(input, TestMedia::h264AacMono(1280, 720, 10.0)))
        return {{}, "could not make the 10-second 720p clip"};
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {{}, "no ffmpeg beside the app or on PATH"};

    VideoProcessor probe(input);
    probe.loadInformation();
    const QString ourOutput = folder.filePath("ours.mpg");
    const QStringList bareArguments = VideoProcessor::transcodeArguments(
        input, folder.filePath("bare.mpg"), 1, 1, bitrate, probe.audioChannels());

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            VideoProcessor record(input);
            record.setAudioChannels(probe.audioChannels());
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.setCallback([](double) {});
            record.transcode(ourOutput, 1, 1, bitrate);
        },
        [&] { failed = !runBareTool(QFile::encodeName(*tool), bareArguments) || failed; });
    if (failed)
        return {{}, "a transcode failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
