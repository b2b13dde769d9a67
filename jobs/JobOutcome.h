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
// What became of one kind of stream in an output.
enum class StreamMade { None, Copied, Reencoded };

struct JobOutcome {
    JobState state = JobState::Done;
    // The file written, under the name it got; empty unless done.
    QString output;
    // The sentence the error sheet showed when failed or skipped; when done, a note on the name
    // the output got, if it is not the one asked for, else empty.
    QString reason;
    // Meaningful when done.
    OutputMade made = OutputMade::Transcoded;
    // Meaningful when done: what became of its video and of its sound.
    StreamMade video = StreamMade::None;
    StreamMade audio = StreamMade::None;
    // The input's seconds of media, once its probe found them; else 0.
    double duration = 0;
    // The output's size when done.
    qint64 bytes = 0;
};

// How a done file was made, in words: "copied unchanged", "streams copied into MPEG", "video
// re-encoded, audio copied", ...; the same in the window's rows and in batch mode's lines.
QString madeText(const JobOutcome& done);
