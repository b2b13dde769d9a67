#pragma once

#include "BatchOptions.h"

#include <QStringList>

// What a launch of mpgfix asks for, decided from its arguments in a console-only application, so
// that --help, --version, a mistake and a missing display are answered in the user's language
// without any display: an exit with a status, a batch run, or the window with files to open.
struct Launch {
    enum class Mode { Exit, Batch, Window };

    static Launch fromArguments(int& argc, char** argv);

    Mode mode = Mode::Exit;
    int exitCode = 0;
    // For the window.
    QStringList files;
    // For a batch run.
    BatchOptions batch;
};
