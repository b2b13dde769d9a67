#include "DiscFit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace DiscFit {
namespace {

// Discs and burners differ a little, and some players stumble near a disc's outer rim.
constexpr double safetyMargin = 0.03;
// A program stream is this much larger than its video and audio: pack and stream headers, and
// the navigation pack that starts each half second or so.
constexpr double programStreamOverhead = 1.022;
// The image's file system and IFO files, measured at about 940 kB for one title and 32 kB more
// for each title set; a title's tables grow by some 60 kB an hour of it besides.
constexpr double reservedBytes = 1024 * 1024;
constexpr double reservedBytesPerFile = 64 * 1024;
// Nine digits of megabytes, a petabyte, keep the bytes far from overflowing.
constexpr qsizetype mostMegabyteDigits = 9;

bool known(double seconds) { return std::isfinite(seconds) && seconds > 0; }

} // namespace

std::optional<qint64> parseCapacity(QStringView word)
{
    if (word.compare(u"dvd5", Qt::CaseInsensitive) == 0)
        return dvd5Bytes;
    if (word.compare(u"dvd9", Qt::CaseInsensitive) == 0)
        return dvd9Bytes;
    if (!word.endsWith(u"MB", Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView digits = word.chopped(2);
    const bool plain = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits.isEmpty() || digits.size() > mostMegabyteDigits || !plain)
        return std::nullopt;
    const qint64 megabytes = digits.toLongLong();
    return megabytes > 0 ? std::optional(megabytes * 1'000'000) : std::nullopt;
}

std::variant<Plan, Refusal> fit(qint64 capacityBytes, const QList<File>& files)
{
    // A file of unknown length takes no time, and no share.
    double seconds = 0;
    double audioKbits = 0;
    double keptBytes = 0;
    for (const File& file : files) {
        keptBytes += double(file.keptBytes);
        if (file.keptBytes == 0 && known(file.seconds)) {
            seconds += file.seconds;
            audioKbits += file.seconds * file.audioKbps;
        }
    }
    const double usableBytes = double(capacityBytes) * (1 - safetyMargin) - reservedBytes -
                               reservedBytesPerFile * double(files.size()) - keptBytes;
    const double streamKbits = std::max(0.0, usableBytes) / programStreamOverhead * 8 / 1000;
    if (seconds == 0 && usableBytes >= 0)
        return Plan{mostVideoKbps};
    const double videoKbps = seconds == 0 ? 0 : (streamKbits - audioKbits) / seconds;
    if (videoKbps >= leastVideoKbps)
        return Plan{std::min(videoKbps, mostVideoKbps)};
    const int minutes = seconds == 0 ? 0 : int(streamKbits / (leastVideoKbps + audioKbits / seconds) / 60);
    return Refusal{minutes, QCoreApplication::translate("DiscFit",
                                                        "Only %n minute(s) of these videos fit on this disc at a "
                                                        "quality worth watching: use a larger disc or fewer files.",
                                                        nullptr, minutes)};
}

} // namespace DiscFit
