#include "Figures.h"
#include "Measure.h"

#include "ToolLocator.h"
#include "TranscodePlan.h"
#include "VideoProcessor.h"

#include "TestMedia.h"

#include <QFile>
#include <QProcess>
#include <QThread>

#include <optional>

namespace {

constexpr int rounds = 5;

// Eight clips of a few seconds, as a folder of mixed footage holds them: phones, cameras,
// old codecs, a DVD-sized picture whose sound alone is wrong.
std::vector<std::pair<QString, TestMedia::ClipSpec>> clipRecipes()
{
    using TestMedia::ClipSpec;
    const QStringList fast{"-preset", "ultrafast"};
    ClipSpec dvdWithAac = TestMedia::conformingMpeg(3.0);
    dvdWithAac.audioCodec = "aac";
    return {
        {"hd.mp4", {"libx264", "aac", 1280, 720, "30", 48000, 2, 3.0, fast}},
        {"phone.mp4", {"libx264", "aac", 720, 1280, "30", 44100, 1, 3.0, fast}},
        {"web.mp4", {"libx264", "aac", 640, 360, "25", 44100, 2, 4.0, fast}},
        {"camera.avi", {"mpeg4", "mp3", 640, 480, "25", 44100, 2, 3.0, {}}},
        {"old.avi", {"mpeg4", "", 320, 240, "15", 44100, 2, 5.0, {}}},
        {"full.mkv", {"libx264", "aac", 1920, 1080, "25", 48000, 2, 2.0, fast}},
        {"dvd.mkv", dvdWithAac},
        {"wide.mov", {"libx264", "aac", 854, 480, "24", 48000, 2, 3.0, fast}},
    };
}

QString shellQuoted(const QString& word) { return u'\'' + QString(word).replace("'", "'\\''") + u'\''; }

// Ours and the bare tool's, each over the same eight clips: mpgfix --batch with one file and
// with a core's worth at a time, a plain loop of the bare probe and transcode of each file, and
// xargs running those with a core's worth at a time.
struct BatchTimes {
    double oursOne = 0, oursAll = 0, loop = 0, xargs = 0;
    std::string error;
};

BatchTimes measureBatch()
{
    BatchTimes times;
    const TestMedia::TestFolder folder;
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {.error = "no ffmpeg beside the app or on PATH"};
    QStringList clips, scripts;
    for (const auto& [name, recipe] : clipRecipes()) {
        clips << folder.filePath(name);
        if (!TestMedia::makeClip(clips.last(), recipe))
            return {.error = "could not make " + name.toStdString()};
        // What a job of the batch runs for the file: the probe, then the transcode it plans.
        VideoProcessor probe(clips.last());
        const TranscodePlan plan = TranscodePlan::forInput(probe.loadInformation(), {}, DeliveryFormat::ntsc());
        QStringList lines;
        for (const QStringList& arguments :
             {VideoProcessor::probeArguments(clips.last()),
              plan.arguments(clips.last(), folder.filePath("bare-" + name + ".mpg"))}) {
            QStringList words{shellQuoted(*tool)};
            for (const QString& argument : arguments)
                words << shellQuoted(argument);
            lines << words.join(u' ') + " >/dev/null 2>&1";
        }
        scripts << folder.filePath(name + ".sh");
        // The probe names no output, so it always ends with a failure status.
        if (!TestMedia::write(scripts.last(), (lines.join(" ; ") + u'\n').toUtf8()))
            return {.error = "could not write a script"};
    }
    if (!TestMedia::write(folder.filePath("scripts"), (scripts.join(u'\n') + u'\n').toUtf8()))
        return {.error = "could not write the script list"};

    const QString cores = QString::number(QThread::idealThreadCount());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME"})
        environment.remove(name);
    // The stored preferences of a new user: 6 Mbps, no DVD, no bars.
    environment.insert("HOME", folder.filePath("home"));
    std::string failed;
    const auto run = [&](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            failed = (program + u' ' + arguments.mid(0, 3).join(u' ') + " ended with " + QString::number(process.exitCode())).toStdString();
    };
    const auto ours = [&](const QString& jobs) {
        run(MPGFIX_BINARY, QStringList{"--batch", "--jobs", jobs, "--if-taken", "replace", "--output", folder.filePath("ours")} + clips);
    };
    const auto bare = [&](const QString& at) {
        run("sh", {"-c", "xargs -P " + at + " -n 1 sh < " + shellQuoted(folder.filePath("scripts"))});
    };
    const auto loop = [&] { run("sh", {"-c", "while read -r s; do sh \"$s\" </dev/null; done < " + shellQuoted(folder.filePath("scripts"))}); };

    std::vector<double> oursOne, oursAll, loops, xargs;
    // Each round in another order, so that no side always follows the same one.
    for (int round = 0; round < rounds; ++round) {
        const std::function<void()> sides[] = {
            [&] { oursAll.push_back(Measure::seconds([&] { ours(cores); })); },
            [&] { xargs.push_back(Measure::seconds([&] { bare(cores); })); },
            [&] { oursOne.push_back(Measure::seconds([&] { ours("1"); })); },
            [&] { loops.push_back(Measure::seconds(loop)); },
        };
        for (int side = 0; side < 4; ++side)
            sides[(side + round) % 4]();
    }
    if (!failed.empty())
        return {.error = failed};
    return {Measure::median(oursOne), Measure::median(oursAll), Measure::median(loops), Measure::median(xargs), {}};
}

// Both figures come from one measurement, so that they describe the same runs.
const BatchTimes& batchTimes()
{
    static const BatchTimes times = measureBatch();
    return times;
}

} // namespace

FigureResult batchFigure()
{
    const BatchTimes& t = batchTimes();
    if (!t.error.empty())
        return {{}, t.error};
    return {"ratio=" + Measure::fixed(t.oursAll / t.xargs, 3), {}};
}

FigureResult parallelFigure()
{
    const BatchTimes& t = batchTimes();
    if (!t.error.empty())
        return {{}, t.error};
    return {"speedup=" + Measure::fixed(t.oursOne / t.oursAll, 3) + " xargs speedup=" + Measure::fixed(t.loop / t.xargs, 3), {}};
}
