#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

// How a pile of videos shares one disc: a single video bitrate for all of them, such that they
// fit with room to spare, within what DVD players take, and above what is still worth watching.
namespace DiscFit {

// What recordable DVDs hold: single layer (DVD+R, 2 295 104 sectors) and dual layer (DVD+R DL).
inline constexpr qint64 dvd5Bytes = 4'700'372'992;
inline constexpr qint64 dvd9Bytes = 8'543'666'176;

// The most video a plan gives: with 448 kbit/s of audio it stays well under the 9.8 Mbit/s a
// player reads at most, leaving the encoder room for its peaks.
inline constexpr double mostVideoKbps = 8000;
// The least: every picture is a full 720 pixels wide, and MPEG-2 at that size falls apart into
// blocks at any motion below about 2 Mbit/s. A larger disc, or fewer files, serves better than
// a disc no one wants to watch.
inline constexpr double leastVideoKbps = 2000;

// The capacity a word names: "dvd5", "dvd9", or "<N>MB" for N million bytes (the way disc
// makers count, so never more than the user meant), in any letter case; nothing for another word.
std::optional<qint64> parseCapacity(QStringView word);

struct File {
    double seconds = 0;
    // MP2 and stereo AC-3 have 192, 5.1 AC-3 has 448.
    int audioKbps = 192;
    // A file whose video goes on the disc as it is: its bytes, for which the others' bitrate
    // leaves room; 0 for one re-encoded at the plan's bitrate.
    qint64 keptBytes = 0;
};

struct Plan {
    // The same for every file re-encoded; it need not be a whole number of Mbit/s.
    double videoKbps = 0;
};

struct Refusal {
    // Of videos like these, with their mix of audio, this many whole minutes would fit.
    int minutesThatFit = 0;
    QString message;
};

// The plan for `files` on a disc of `capacityBytes`, or a refusal when they only fit below the
// least bitrate.
std::variant<Plan, Refusal> fit(qint64 capacityBytes, const QList<File>& files);

} // namespace DiscFit
