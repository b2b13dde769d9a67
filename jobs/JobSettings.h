#pragma once

#include "OutputOptions.h"

#include <QString>

// What a job does when the output's name is already taken by another file.
enum class NameTaken {
    ShowMessage,  // refuse with a sheet that names the file; write nothing
    KeepBoth,     // write "<name> (2).mpg", "<name> (3).mpg", ... whichever is free first
    Replace,      // replace the old file in one rename once the new one is complete
};

// The preferences one job works by, taken when its file's turn comes.
struct JobSettings {
    OutputOptions output;
    // The absolute folder the output goes into.
    QString folder;
    NameTaken nameTaken = NameTaken::ShowMessage;
    // A failure holds the queue until the user has seen it; otherwise the list alone tells it.
    bool waitOnFailure = true;
};
