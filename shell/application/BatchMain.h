#pragma once

struct BatchOptions;

// A batch run in a console-only application: it never needs a display, and never talks to a
// running window. The stored preferences are read, never written. Returns the exit status.
int runBatch(int& argc, char** argv, const BatchOptions& options);
