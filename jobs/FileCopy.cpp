#include "FileCopy.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t chunkSize = size_t(1) << 30;
constexpr size_t bufferSize = size_t(1) << 20;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now, so that a failing close (a full disk on some file systems) is seen.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The temporary file beside the destination; removed unless it was moved into place.
class PartialFile {
public:
    explicit PartialFile(QByteArray path) : path_(std::move(path)) {}
    ~PartialFile()
    {
        if (!path_.isEmpty())
            ::unlink(path_.constData());
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const char* path() const { return path_.constData(); }
    void keep() { path_.clear(); }

private:
    QByteArray path_;
};

EngineError copyError(const QString& source, const QString& destination, int error)
{
    return {QStringLiteral("File"), error,
            QStringLiteral("Could not copy %1 to %2: %3")
                .arg(QFileInfo(source).fileName(), destination, QString::fromLocal8Bit(std::strerror(error)))};
}

// Copies in the kernel where it can, else through a buffer.
bool copyContents(int in, int out)
{
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, chunkSize, 0);
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

// Moves the finished copy into place without ever replacing an existing file.
bool moveIntoPlace(const char* from, const char* to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: a hard link refuses an existing name too.
    if (::link(from, to) != 0)
        return false;
    ::unlink(from);
    return true;
}

}

std::optional<EngineError> copyFile(const QString& source, const QString& destination)
{
    const QByteArray to = QFile::encodeName(destination);
    struct stat existing;
    if (::lstat(to.constData(), &existing) == 0)
        return copyError(source, destination, EEXIST);

    FileDescriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return copyError(source, destination, errno);
    struct stat sourceStat;
    if (::fstat(in.get(), &sourceStat) != 0)
        return copyError(source, destination, errno);
    if (!S_ISREG(sourceStat.st_mode))
        return copyError(source, destination, S_ISDIR(sourceStat.st_mode) ? EISDIR : EINVAL);

    QByteArray partialPath = to + ".partXXXXXX";
    FileDescriptor out(::mkostemp(partialPath.data(), O_CLOEXEC));
    if (out.get() < 0)
        return copyError(source, destination, errno);
    PartialFile partial(partialPath);

    if (!copyContents(in.get(), out.get()) || ::fchmod(out.get(), sourceStat.st_mode & 0777) != 0
        || !out.close() || !moveIntoPlace(partial.path(), to.constData()))
        return copyError(source, destination, errno);
    partial.keep();
    return std::nullopt;
}
