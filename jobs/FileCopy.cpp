#include "FileCopy.h"

#include "OutputFile.h"
#include "UniqueFd.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Small enough that a stop is seen within a fraction of a second, large enough to cost nothing.
constexpr size_t pieceSize = size_t(16) << 20;
constexpr size_t bufferSize = size_t(1) << 20;

EngineError copyError(const QString& source, const QString& destination, int error)
{
    return {ErrorKind::WriteFailed,
            QCoreApplication::translate("FileCopy", "Could not copy %1 to %2: %3")
                .arg(QFileInfo(source).fileName(), destination, qt_error_string(error))};
}

// Copies in the kernel where it can, else through a buffer; false on an error, with errno set.
bool copyContents(int in, int out, const std::atomic<bool>& stop)
{
    for (;;) {
        if (stop)
            return true;
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, pieceSize, 0);
        if (n == 0)
            return true;
        if (n > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        break;
    }
    std::vector<char> buffer(bufferSize);
    for (;;) {
        if (stop)
            return true;
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer.data() + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += put;
        }
    }
}

} // namespace

std::optional<EngineError> copyFileInto(const QString& source, OutputFile& output, const std::atomic<bool>& stop)
{
    const QString destination = output.destination();
    const UniqueFd in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return copyError(source, destination, errno);
    struct stat sourceStat;
    if (::fstat(in.get(), &sourceStat) != 0)
        return copyError(source, destination, errno);
    if (!S_ISREG(sourceStat.st_mode))
        return copyError(source, destination, S_ISDIR(sourceStat.st_mode) ? EISDIR : EINVAL);

    // The copy keeps the mode a new file gets, not the source's: files from a FAT or NTFS card
    // would otherwise come out writable by everyone.
    if (!copyContents(in.get(), output.descriptor(), stop) || !output.closeDescriptor())
        return copyError(source, destination, errno);
    return std::nullopt;
}
