#include "BareTool.h"
#include "Figures.h"
#include "LargeConformingFile.h"
#include "Measure.h"

#include "TestMedia.h"
#include "ToolLocator.h"
#include "VideoProcessor.h"

#include <QFile>

namespace {

constexpr int rounds = 5;
constexpr qint64 bitrate = 6000;

} // namespace

FigureResult remuxFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("large.mpg");
    if (!makeLargeConformingFile(folder.filePath("clip.mpg"), input))
        return {{}, "could not make the 200 MB conforming file"};
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {{}, "no ffmpeg beside the app or on PATH"};
    TranscodePlan remux;
    remux.encodeVideo = remux.encodeAudio = false, remux.options.videoKbps = bitrate, remux.options.dvd = true;
    const QString ourOutput = folder.filePath("ours.mpg");
    const QStringList bareArguments = remux.arguments(input, folder.filePath("bare.mpg"));

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            VideoProcessor record(input);
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.setCallback([](double) {});
            record.transcode(ourOutput, remux);
        },
        [&] { failed = !runBareTool(QFile::encodeName(*tool), bareArguments) || failed; });
    if (failed)
        return {{}, "a remux failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
