#include "BareTool.h"
#include "EncodeInput.h"
#include "Figures.h"
#include "Measure.h"

#include "FixJob.h"
#include "VideoProcessor.h"

#include <QEventLoop>


namespace {

constexpr int rounds = 5;

// One whole job, from start to its outcome, with this thread's event loop serving it.
JobOutcome runJob(const QString& input, const JobSettings& settings)
{
    JobOutcome outcome;
    FixJob job(input, settings);
    QEventLoop loop;
    QObject::connect(&job, &FixJob::finished, &loop, [&](const JobOutcome& ended) {
        outcome = ended;
        loop.quit();
    });
    job.start();
    loop.exec();
    return outcome;
}

} // namespace

FigureResult jobFigure()
{
    const EncodeInput encode;
    if (!encode.error.empty())
        return {{}, encode.error};
    const QString& input = encode.clip;
    const TestMedia::TestFolder& folder = encode.folder;

    const JobSettings settings{.output = {}, .folder = folder.path(), .nameTaken = NameTaken::Replace};
    VideoProcessor probe(input);
    const TranscodePlan plan =
        TranscodePlan::forInput(probe.loadInformation(), settings.output, DeliveryFormat::ntsc());
    const QStringList probeArguments = VideoProcessor::probeArguments(input);
    const QStringList transcodeArguments = plan.arguments(input, folder.filePath("bare.mpg"));

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds, [&] { failed = runJob(input, settings).state != JobState::Done || failed; },
        [&] {
            // The probe names no output, so the tool always ends it with a failure status.
            runBareTool(encode.tool, probeArguments);
            failed = !runBareTool(encode.tool, transcodeArguments) || failed;
        });
    if (failed)
        return {{}, "a job or a transcode failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
