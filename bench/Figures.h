#pragma once

#include <string>

// One benchmark figure: the values it prints after its name ("ratio=1.004 ..."), or why it
// could not be measured.
struct FigureResult {
    std::string values;
    std::string error;
};

// VideoProcessor::transcode of a 10-second 720p H.264/AAC clip against bare ffmpeg.
FigureResult transcodeFigure();
// The console parser over a 100,000-line recorded console against a memchr line split.
FigureResult parseFigure();
// The copy branch of a fix job on a 200 MB conforming file against cp.
FigureResult copyFigure();
// The remux of a 200 MB conforming AVI into a program stream (both streams copied) against a
// bare ffmpeg -c copy of the same file.
FigureResult remuxFigure();
// Each quality level's DVD transcode of a hard generated 1080i clip: PSNR and SSIM of its
// picture against the source scaled the same way, and its time against Standard's; one line a
// level.
FigureResult qualityFigure();
// A whole fix job of a 10-second 720p H.264/AAC clip against bare ffmpeg's probe and transcode.
FigureResult jobFigure();
// mpgfix --batch --jobs <cores> over eight mixed clips against xargs -P <cores> running the
// same bare probes and transcodes.
FigureResult batchFigure();
// How much faster --jobs <cores> is than --jobs 1, beside how much faster xargs -P <cores> is
// than a plain loop of the same bare runs.
FigureResult parallelFigure();
// The transcode of jobFigure's clip run confined (Landlock) against the same run unconfined, and
// what the confinement adds to the start of a tool, in milliseconds and as a share of the transcode.
FigureResult confinementFigure();
