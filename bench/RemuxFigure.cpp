#include "BareTool.h"
#include "Figures.h"
#include "Measure.h"

#include "TestMedia.h"
#include "ToolLocator.h"
#include "VideoProcessor.h"

#include <QFile>

namespace {

// A remux takes under a second; many rounds make its median repeat within a few percent.
constexpr int rounds = 15;

// A 200 MB conforming AVI, a short clip joined to itself: the AVI keeps the clip's time base, and
// with it a frame rate that conforms.
bool makeLargeConformingAvi(const TestMedia::TestFolder& folder, const QString& path)
{
    TestMedia::ClipSpec progressive = TestMedia::conformingMpeg(2.0);
    progressive.extraOptions = {"-b:v", "6000k", "-aspect", "4:3", "-b:a", "192k"};
    const QString clip = folder.filePath("clip.avi"), list = folder.filePath("list.txt");
    QByteArray lines;
    for (int i = 0; i < 130; ++i)
        lines += "file '" + QFile::encodeName(clip) + "'\n";
    return TestMedia::makeClip(clip, progressive) && TestMedia::write(list, lines)
           && TestMedia::runTool(FFMPEG_TOOL, {"-v", "error", "-f", "concat", "-safe", "0", "-i", list, "-c", "copy", path});
}

} // namespace

FigureResult remuxFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("large.avi");
    if (!makeLargeConformingAvi(folder, input))
        return {{}, "could not make the 200 MB conforming AVI"};
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {{}, "no ffmpeg beside the app or on PATH"};
    VideoProcessor probe(input);
    const TranscodePlan remux = TranscodePlan::forInput(probe.loadInformation(), {}, DeliveryFormat::ntsc());
    if (remux.encodeVideo || remux.encodeAudio)
        return {{}, "the AVI does not conform"};
    const QStringList bareArguments{"-y", "-i", input, "-c", "copy", folder.filePath("bare.mpg")};

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            VideoProcessor record(input);
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.setCallback([](double) {});
            record.transcode(folder.filePath("ours.mpg"), remux);
        },
        [&] { failed = !runBareTool(QFile::encodeName(*tool), bareArguments) || failed; });
    if (failed)
        return {{}, "a remux failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
