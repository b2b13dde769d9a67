#pragma once

#include <QString>

// Why a file could not be fixed, which decides how its job ends.
enum class ErrorKind {
    // The input is gone, no regular file, unreadable, a folder without videos, or a name that is
    // not UTF-8.
    InputRefused,
    // The tool cannot read the input.
    UnrecognizedFormat,
    // The input has no video to convert.
    NoPicture,
    // The output's name is taken and the user's rule left the old file: a skip, not a failure.
    NameTaken,
    // The output would be written over its own input.
    OverInput,
    // The destination has too little free space.
    NoRoom,
    // The destination folder or file could not be made, written or copied into.
    WriteFailed,
    // No ffmpeg beside the app nor on PATH.
    ToolMissing,
    // The tool could not be started or read, or ended with a failure status or by a signal.
    ToolFailed,
    // A fault of mpgfix itself, such as a pattern that does not compile.
    Internal,
};

// An error as the engine and the jobs report it: its kind, and a sentence for the user.
struct EngineError {
    ErrorKind kind = ErrorKind::Internal;
    QString description;

    bool operator==(const EngineError&) const = default;
};
