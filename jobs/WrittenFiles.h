#pragma once

#include <QString>

// The outputs this process has made, known by what a rename leaves alone: device, inode, size
// and modification time. A folder scan passes them over, so that a run never takes a file it
// wrote for a new input, whatever name the file got; and Replace never replaces them. Any thread.
namespace WrittenFiles {

// `path` now holds a finished output, about to get its final name.
void record(const QString& path);
// Whether `path` is one of the outputs recorded, under any name.
bool contains(const QString& path);

} // namespace WrittenFiles
