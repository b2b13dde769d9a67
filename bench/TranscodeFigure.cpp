#include "BareTool.h"
#include "EncodeInput.h"
#include "Figures.h"
#include "Measure.h"

#include "VideoProcessor.h"


namespace {

constexpr int rounds = 5;
constexpr qint64 bitrate = 6000;

} // namespace

FigureResult transcodeFigure()
{
    const EncodeInput encode;
    if (!encode.error.empty())
        return {{}, encode.error};
    const QString& input = encode.clip;
    const TestMedia::TestFolder& folder = encode.folder;

    VideoProcessor probe(input);
    const TranscodePlan plan = TranscodePlan::forInput(
        probe.loadInformation(), {.reencodeAll = true, .videoKbps = bitrate}, DeliveryFormat::ntsc());
    const QString ourOutput = folder.filePath("ours.mpg");
    const QStringList bareArguments = plan.arguments(input, folder.filePath("bare.mpg"));

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            VideoProcessor record(input);
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.setCallback([](double) {});
            record.transcode(ourOutput, plan);
        },
        [&] { failed = !runBareTool(encode.tool, bareArguments) || failed; });
    if (failed)
        return {{}, "a transcode failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
