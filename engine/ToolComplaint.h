#pragma once

#include "ConsoleLineReader.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string_view>

// Picks from the tool's console the line that best tells why it failed: the last line that
// carries an error, rather than the closing "Conversion failed!", which says only that. Progress
// lines and the indented lines of the tool's stream report (metadata such as
// "    encoder         : Lavc59.37.100 mp2") are never a complaint, whatever words they hold.
class ToolComplaint {
public:
    void offer(const char* line);
    // The complaint without surrounding blanks; empty when the tool made none.
    QString text() const;

private:
    static bool carriesError(std::string_view line);

    std::array<char, consoleLineBufferSize> line_{};
    std::size_t length_ = 0;
    bool conversionFailed_ = false;
};
