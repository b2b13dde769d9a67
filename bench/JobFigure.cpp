#include "BareTool.h"
#include "EncodeInput.h"
#include "Figures.h"
#include "Measure.h"

#include "ErrorSheetHandshake.h"
#include "FixJob.h"
#include "JobDisplay.h"
#include "JobSettings.h"
#include "MainThread.h"
#include "VideoProcessor.h"


namespace {

constexpr int rounds = 5;

// A window that shows nothing, so that the job's own cost is what is measured.
class NoDisplay : public JobDisplay {
public:
    void showAnalyzing(const QString&) override {}
    void showCopying(const QString&) override {}
    void showTranscoding(const QString&) override {}
    void showProgress(double) override {}
    void showOutcome(const JobOutcome&) override {}
    void endJob() override {}
    void presentError(const EngineError&, std::function<void()> dismissed) override
    {
        failed = true;
        dismissed();
    }
    bool failed = false;
};

class FixedSettings : public JobSettings {
public:
    explicit FixedSettings(QString folder) : folder_(std::move(folder)) {}
    bool force() const override { return false; }
    qint64 bitrate() const override { return 6; }
    QString path() const override { return folder_; }
    NameTaken nameTaken() const override { return NameTaken::Replace; }
    bool dvd() const override { return false; }
    bool keepProportions() const override { return false; }

private:
    QString folder_;
};

}

FigureResult jobFigure()
{
    const EncodeInput encode;
    if (!encode.error.empty())
        return {{}, encode.error};
    const QString& input = encode.clip;
    const TestMedia::TestFolder& folder = encode.folder;

    // The job runs on this thread, which is also the window's here: its hand-offs run at once.
    MainThread mainThread;
    NoDisplay display;
    const FixedSettings settings(folder.path());
    ErrorSheetHandshake handshake(mainThread, display);
    FixJob job(mainThread, display, handshake, settings);
    job.setFinishPause(std::chrono::milliseconds(0));

    VideoProcessor probe(input);
    probe.loadInformation();
    const QStringList probeArguments = VideoProcessor::probeArguments(input);
    const QStringList transcodeArguments = VideoProcessor::transcodeArguments(
        input, folder.filePath("bare.mpg"), 1, 1, settings.bitrate() * 1000, probe.audioChannels());

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds, [&] { job.fixVideo(input); },
        [&] {
            // The probe names no output, so the tool always ends it with a failure status.
            runBareTool(encode.tool, probeArguments);
            failed = !runBareTool(encode.tool, transcodeArguments) || failed;
        });
    if (failed || display.failed)
        return {{}, "a job or a transcode failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
