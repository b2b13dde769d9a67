#pragma once

#include <QString>

// The errors a run of the encoder tool reports, all in the domain "FFMPEG".
namespace FfmpegErrors {

inline const QString domain = QStringLiteral("FFMPEG");

enum Code : int {
    // The tool's console names the input as something it cannot read.
    UnrecognizedFormat = -1,
    // No ffmpeg beside the app nor on PATH.
    ToolNotFound = 1,
    // The pipes to the tool could not be made or opened for reading.
    PipeFailed = 2,
    // The tool could not be started.
    SpawnFailed = 3,
    // A transcode whose tool ended with a failure status.
    TranscodeFailed = 4,
};

} // namespace FfmpegErrors
