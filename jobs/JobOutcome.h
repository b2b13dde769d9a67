#pragma once

#include <QString>

// Where a queued file stands: waiting, one of the stages of its job, or how the job ended.
enum class JobState {
    Waiting,
    Analyzing,
    Copying,
    Transcoding,
    Done,
    Failed,
    // The output's name was taken and the old file left as it is.
    Skipped,
    Cancelled,
};

inline bool hasEnded(JobState state) { return state >= JobState::Done; }

// How a done file's output was made of its input.
enum class OutputMade {
    // A stream or both re-encoded.
    Transcoded,
    // Conforming streams copied into a program stream of their own.
    Remuxed,
    // The input copied whole, byte for byte.
    Copied,
};

// How a job ended, as the window's list shows it.
struct JobOutcome {
    JobState state = JobState::Done;
    // The file written, under the name it got; empty unless done.
    QString output;
    // The sentence the error sheet showed; empty unless failed or skipped.
    QString reason;
    // Meaningful when done.
    OutputMade made = OutputMade::Transcoded;
    // Of a transcoded file: the stream that conformed and was copied beside the re-encoded one.
    bool videoCopied = false;
    bool audioCopied = false;
};
