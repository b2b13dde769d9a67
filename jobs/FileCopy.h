#pragma once

#include "EngineError.h"

#include <QString>

#include <optional>

// Copies the file `source` to `destination`, which must not exist yet. The copy is written
// beside the destination under a temporary name and moved into place only when complete, so
// an existing file is never replaced and a failed copy leaves nothing behind.
// Returns the error, or nothing on success.
std::optional<EngineError> copyFile(const QString& source, const QString& destination);
