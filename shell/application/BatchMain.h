#pragma once

struct BatchOptions;

// A batch run in a console-only application: it never needs a display, never talks to a
// running window nor reads its settings. Returns the exit status.
int runBatch(int& argc, char** argv, const BatchOptions& options);
