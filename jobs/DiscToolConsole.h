#pragma once

#include <QList>
#include <QString>

#include <optional>

// What dvdauthor says as it makes a disc. It makes the title sets one after another
// ("STAT: Picking VTS 02"), each in two passes over its video: the first reads and writes it
// ("STAT: VOBU 123 at 45MB, 1 PGCs", counting MiB written), the second fixes the navigation
// packs in place ("STAT: fixing VOBU at 7MB (17/67, 23%)", then "STAT: fixed 67 VOBUs").
class AuthoringConsole {
public:
    // The bytes of the videos of each title set, in the order of the sets.
    explicit AuthoringConsole(const QList<qint64>& titleSetBytes);

    // The fraction of the work done, when `line` tells a new one.
    std::optional<double> line(const char* line);
    // Why dvdauthor failed: its first error, without the "ERR:" tag; empty while it has none.
    QString complaint() const { return complaint_; }

private:
    qint64 titleSetBytes(qsizetype set) const;

    QList<qint64> titleSetBytes_;
    qint64 totalBytes_ = 0;
    qsizetype titleSet_ = 0;
    // Of the title sets before the current one.
    qint64 bytesBefore_ = 0;
    double fraction_ = 0;
    QString complaint_;
};

// What genisoimage says as it writes an image: " 12.34% done, estimate finish Mon Dec  7 09:18:46
// 2026" now and then, for an image of more than a few megabytes.
class ImagingConsole {
public:
    // The fraction of the image written, when `line` tells one.
    std::optional<double> line(const char* line);
    // Why genisoimage failed: its first complaint, which names the cause; empty while it has none.
    QString complaint() const { return complaint_; }

private:
    QString complaint_;
};
