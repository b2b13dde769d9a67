#include "Figures.h"
#include "Measure.h"

#include "TestMedia.h"
#include "VideoProcessor.h"

#include <QRegularExpression>

namespace {

// 10 s of 1080i at 29.97: four busy quadrants (a zooming fractal, a turning test pattern, the
// game of life, a scrolling automaton) under moving grain, woven top field first from 59.94p.
// Deterministic, so that every run measures the same pictures.
const QString hardClipFilter = QStringLiteral(
    "mandelbrot=s=640x360:r=60000/1001:maxiter=64:start_scale=3:end_scale=0.002:end_pts=10:inner=black:"
    "outer=normalized_iteration_count,scale=960x540,format=yuv420p[a];"
    "testsrc2=s=960x540:r=60000/1001,rotate=a=0.7*t:fillcolor=gray,format=yuv420p[b];"
    "life=s=960x540:r=60000/1001:seed=42:ratio=0.3:mold=8:life_color=#40ff90:death_color=#501010:"
    "mold_color=#2040a0,format=yuv420p[c];"
    "cellauto=s=960x540:r=60000/1001:rule=30:seed=7:random_fill_ratio=0.5:scroll=1,format=yuv420p,hue=h=60*t:s=3[d];"
    "[a][b][c][d]xstack=inputs=4:layout=0_0|w0_0|0_h0|w0_h0,noise=alls=6:allf=t+u:all_seed=5,"
    "tinterlace=interleave_top,setfield=tff,trim=duration=10[out]");

bool ffmpeg(const QStringList& arguments) { return TestMedia::runTool(FFMPEG_TOOL, arguments).has_value(); }

// "psnr=33.33 ssim=0.9467" of `output`'s picture against `reference`, frame by frame: both are
// counted from their first frame, whatever their timestamps.
std::string likeness(const QString& output, const QString& reference)
{
    const std::optional<QByteArray> console = TestMedia::runTool(
        FFMPEG_TOOL, {"-hide_banner", "-i", output, "-i", reference, "-lavfi",
                      "[0:v]settb=1/30,setpts=N,split[a1][a2];[1:v]settb=1/30,setpts=N,split[b1][b2];"
                      "[a1][b1]psnr;[a2][b2]ssim", "-f", "null", "-"});
    const QString text = QString::fromUtf8(console.value_or(""));
    const QString psnr = QRegularExpression("PSNR y:([0-9.]+)").match(text).captured(1);
    const QString ssim = QRegularExpression("SSIM Y:([0-9.]+)").match(text).captured(1);
    return psnr.isEmpty() || ssim.isEmpty() ? std::string() : "psnr=" + psnr.toStdString() + " ssim=" + ssim.toStdString();
}

} // namespace

FigureResult qualityFigure()
{
    TestMedia::TestFolder folder;
    const QString clip = folder.filePath("hard.mkv"), reference = folder.filePath("reference.mkv");
    if (!ffmpeg({"-v", "error", "-filter_complex", hardClipFilter, "-map", "[out]", "-c:v", "libx264", "-preset",
                 "fast", "-b:v", "24M", "-flags", "+ildct+ilme", "-x264-params", "tff=1:threads=1", clip}))
        return {{}, "could not make the hard clip"};
    VideoProcessor probe(clip);
    const StreamFacts facts = probe.loadInformation();
    // What every level starts from: the source brought to the frame as a transcode brings it.
    TranscodePlan plan = TranscodePlan::forInput(facts, {.dvd = true}, DeliveryFormat::ntsc());
    QStringList scaled = plan.arguments(clip, reference);
    const qsizetype codec = scaled.indexOf("-vcodec");
    scaled = scaled.mid(0, codec) + QStringList{"-r", QString::number(plan.format.video.printedFrameRate().value()),
                                                   "-c:v", "ffv1", "-an", reference};
    if (!ffmpeg(QStringList{"-v", "error"} + scaled.mid(1)))
        return {{}, "could not scale the hard clip"};

    std::string lines;
    double standardSeconds = 0;
    for (const auto& [quality, name] : {std::pair(Quality::Standard, "standard"), std::pair(Quality::Better, "better"),
                                        std::pair(Quality::Best, "best")}) {
        plan.options.quality = quality;
        const QString output = folder.filePath(QString::fromLatin1(name) + ".mpg");
        bool failed = false;
        const double seconds = Measure::seconds([&] {
            VideoProcessor record(clip);
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.transcode(output, plan);
        });
        const std::string measured = likeness(output, reference);
        if (failed || measured.empty())
            return {{}, std::string("the ") + name + " transcode failed"};
        if (quality == Quality::Standard)
            standardSeconds = seconds;
        lines += std::string("level=") + name + " " + measured + " ratio=" + Measure::fixed(seconds / standardSeconds, 3)
                 + "\n";
    }
    return {lines, {}};
}
