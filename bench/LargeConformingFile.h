#pragma once

#include <QString>

// A 200 MB conforming MPEG-2/MP2 program stream at `path`, made from a short clip written to
// `clip`; true on success.
bool makeLargeConformingFile(const QString& clip, const QString& path);
