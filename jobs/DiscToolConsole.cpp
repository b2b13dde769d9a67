#include "DiscToolConsole.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace {

// The second pass touches a sector or two in each half second of video, and so goes much
// faster than the first, which copies it all.
constexpr double firstPassShare = 0.8;

bool startsWith(const char* line, const char* prefix) { return std::strncmp(line, prefix, std::strlen(prefix)) == 0; }

} // namespace

AuthoringConsole::AuthoringConsole(const QList<qint64>& titleSetBytes)
    : titleSetBytes_(titleSetBytes),
      totalBytes_(std::accumulate(titleSetBytes.begin(), titleSetBytes.end(), qint64(0)))
{
}

qint64 AuthoringConsole::titleSetBytes(qsizetype set) const
{
    return set < titleSetBytes_.size() ? titleSetBytes_[set] : 0;
}

std::optional<double> AuthoringConsole::line(const char* line)
{
    if (startsWith(line, "ERR:")) {
        if (complaint_.isEmpty())
            complaint_ = QString::fromUtf8(line + 4).trimmed();
        return std::nullopt;
    }
    int number = 0;
    long long megabytes = 0;
    // Of the current title set.
    double done = -1;
    if (std::sscanf(line, "STAT: Picking VTS %d", &number) == 1 && number >= 1) {
        titleSet_ = number - 1;
        const auto end = titleSetBytes_.begin() + std::min(titleSet_, titleSetBytes_.size());
        bytesBefore_ = std::accumulate(titleSetBytes_.begin(), end, qint64(0));
        done = 0;
    } else if (std::sscanf(line, "STAT: VOBU %*d at %lldMB", &megabytes) == 1) {
        const double setBytes = std::max(double(titleSetBytes(titleSet_)), 1.0);
        done = firstPassShare * std::min(1.0, double(megabytes) * 1024 * 1024 / setBytes);
    } else if (std::sscanf(line, "STAT: fixing VOBU at %*dMB (%*d/%*d, %d%%)", &number) == 1) {
        done = firstPassShare + (1 - firstPassShare) * std::clamp(number, 0, 100) / 100.0;
    } else if (startsWith(line, "STAT: fixed ")) {
        done = 1;
    }
    if (done < 0 || totalBytes_ <= 0)
        return std::nullopt;
    const double fraction =
        std::min(1.0, (double(bytesBefore_) + done * double(titleSetBytes(titleSet_))) / double(totalBytes_));
    if (fraction <= fraction_)
        return std::nullopt;
    fraction_ = fraction;
    return fraction;
}

std::optional<double> ImagingConsole::line(const char* line)
{
    double percent = 0;
    // Its closing "33319 extents written (65 MB)" starts with a number too.
    int matched = 0;
    if (std::sscanf(line, " %lf%% done%n", &percent, &matched) == 1 && matched > 0)
        return std::clamp(percent / 100, 0.0, 1.0);
    if (startsWith(line, "genisoimage: ") && complaint_.isEmpty())
        complaint_ = QString::fromUtf8(line + 13).trimmed();
    return std::nullopt;
}
