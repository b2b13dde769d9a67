#include "ToolMessageLine.h"

#include <algorithm>
#include <cstring>
#include <string_view>

bool ToolMessageLine::isMessage(const char* line)
{
    const std::string_view text(line);
    if (text.empty() || text.back() == '\r')
        return false;
    if (text.starts_with("frame=") || text.starts_with("size="))
        return false;
    return text.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

void ToolMessageLine::offer(const char* line)
{
    if (!isMessage(line))
        return;
    // Lines come from a buffer of the same size; a longer one is cut rather than overrun.
    length_ = std::min(std::strlen(line), line_.size());
    std::memcpy(line_.data(), line, length_);
}

QString ToolMessageLine::text() const
{
    return QString::fromUtf8(line_.data(), static_cast<qsizetype>(length_)).trimmed();
}
