#pragma once

#include "ConsoleLineReader.h"

#include <QString>

#include <array>
#include <cstddef>

// Keeps the last line of the tool's console that is a message rather than progress, so that
// a failed run can quote what the tool last complained about.
class ToolMessageLine {
public:
    // Progress is a line that ends in CR, or that starts with "frame=" or "size=" (the final
    // progress line ends in LF); a line of nothing but blanks is no message either.
    static bool isMessage(const char* line);

    void offer(const char* line);
    // The kept line without surrounding blanks; empty when no message came.
    QString text() const;

private:
    std::array<char, consoleLineBufferSize> line_{};
    std::size_t length_ = 0;
};
