#include "ToolComplaint.h"

#include "AsciiCase.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// In lower case: they are matched ignoring the case of ASCII letters.
constexpr std::string_view errorWords[] = {
    "error",         "failed",       "invalid",        "denied",          "no space left", "no such file",
    "file too large", "not a directory", "could not", "cannot", "unable", "read-only",
};

constexpr std::string_view closingLine = "Conversion failed!";

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

bool ToolComplaint::carriesError(std::string_view line)
{
    std::string folded(line);
    foldAsciiCase(folded);
    return containsAnyWord(folded, errorWords);
}

void ToolComplaint::offer(const char* line)
{
    const std::string_view text(line);
    const bool progress = text.ends_with('\r') || text.starts_with("frame=");
    if (text.empty() || progress || text.front() == ' ' || text.front() == '\t')
        return;
    const std::string_view complaint = trimmed(text);
    if (complaint == closingLine) {
        conversionFailed_ = true;
        return;
    }
    if (!carriesError(complaint))
        return;
    // Lines come from a buffer of the same size; a longer one is cut rather than overrun.
    length_ = std::min(complaint.size(), line_.size());
    std::memcpy(line_.data(), complaint.data(), length_);
}

QString ToolComplaint::text() const
{
    if (length_ > 0)
        return QString::fromUtf8(line_.data(), static_cast<qsizetype>(length_));
    return conversionFailed_ ? QString::fromLatin1(closingLine.data(), static_cast<qsizetype>(closingLine.size()))
                            : QString();
}
