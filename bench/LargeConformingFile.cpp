#include "LargeConformingFile.h"

#include "TestMedia.h"

#include <QFile>

namespace {

constexpr qint64 largeSize = 200LL * 1024 * 1024;

} // namespace

// A conforming program stream stays one when whole copies of it follow each other, so a short
// clip repeated makes the large file without a long encode.
bool makeLargeConformingFile(const QString& clip, const QString& path)
{
    if (!TestMedia::makeClip(clip, TestMedia::conformingMpeg(2.0)))
        return false;
    QFile in(clip);
    QFile out(path);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray piece = in.readAll();
    while (out.size() < largeSize)
        if (out.write(piece) != piece.size())
            return false;
    return true;
}
