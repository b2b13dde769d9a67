#pragma once

#include "EngineError.h"

#include <QString>

#include <atomic>
#include <optional>

class OutputFile;

// Copies the regular file `source` into `output`'s temporary file and closes it. Gives up
// between two pieces of at most a few megabytes once `stop` is set, so that a large copy stops
// within a fraction of a second. Returns the error, or nothing on success or when stopped.
std::optional<EngineError> copyFileInto(const QString& source, OutputFile& output, const std::atomic<bool>& stop);
