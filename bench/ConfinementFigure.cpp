#include "EncodeInput.h"
#include "Figures.h"
#include "Measure.h"

#include "SingleVideoInput.h"
#include "ToolConfinement.h"
#include "ToolProcess.h"
#include "VideoProcessor.h"

#include <QFile>

namespace {

constexpr int transcodeRounds = 5;
constexpr int startRounds = 200;

// Runs `tool` to its end through the app's spawner, confined or not; false when it failed.
bool runTool(const QByteArray& tool, const QList<QByteArray>& arguments, const QString& output, bool confined)
{
    ToolProcess process;
    if (process.start(tool, arguments, ToolProcess::Input::Endless,
                      confined ? ToolConfinement::writingOnly(output) : ToolConfinement()))
        return false;
    char chunk[4096];
    while (std::fread(chunk, 1, sizeof chunk, process.output()) > 0) {
    }
    return !process.wait().failed();
}

} // namespace

FigureResult confinementFigure()
{
    if (ToolConfinement::landlockAbi() == 0)
        return {"ratio=1.000 (no Landlock in this kernel: nothing to confine with)", {}};
    const EncodeInput encode;
    if (!encode.error.empty())
        return {{}, encode.error};
    VideoProcessor probe(encode.clip);
    const TranscodePlan plan = TranscodePlan::forInput(probe.loadInformation(), {.reencodeAll = true},
                                                       DeliveryFormat::ntsc());
    const QString output = encode.folder.filePath("out.mpg");
    QList<QByteArray> arguments;
    for (const QString& argument : singleVideoInputOptions() + plan.arguments(encode.clip, output))
        arguments << QFile::encodeName(argument);

    bool failed = false;
    const Measure::SideBySide transcode = Measure::sideBySide(
        transcodeRounds, [&] { failed = !runTool(encode.tool, arguments, output, true) || failed; },
        [&] { failed = !runTool(encode.tool, arguments, output, false) || failed; });
    // What the rules cost a file apart from the noise of a transcode: making them, and taking
    // them on, at the start of a tool that does nothing.
    const Measure::SideBySide start = Measure::sideBySide(
        startRounds, [&] { failed = !runTool("/bin/true", {}, output, true) || failed; },
        [&] { failed = !runTool("/bin/true", {}, output, false) || failed; });
    if (failed)
        return {{}, "a run failed"};
    return {"ratio=" + Measure::fixed(transcode.ratio(), 3) + " start_ms="
                + Measure::fixed((start.ours - start.baseline) * 1000, 3) + " of_transcode="
                + Measure::fixed((start.ours - start.baseline) / transcode.baseline * 100, 4) + "%",
            {}};
}
