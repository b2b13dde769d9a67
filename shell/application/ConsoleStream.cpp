#include "ConsoleStream.h"

#include <cerrno>

bool ConsoleStream::put(const QString& text)
{
    errno = 0;
    const bool written = std::fputs(text.toLocal8Bit().constData(), stream_) >= 0 && std::fflush(stream_) == 0;
    if (!written && failure_ == 0)
        failure_ = errno != 0 ? errno : EIO;
    return failure_ == 0;
}
