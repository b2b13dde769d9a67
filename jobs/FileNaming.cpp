#include "FileNaming.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray cutName(QByteArray name, qsizetype bytes)
{
    if (name.size() <= bytes)
        return name;
    while (bytes > 0 && (uchar(name.at(bytes)) & 0xC0) == 0x80)
        --bytes;
    name.truncate(bytes);
    return name;
}

int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the flag: a hard link refuses an existing name too.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    // Card file systems have no hard links either, nor has any folder; a name taken between the
    // look and the move is the one case left to chance there.
    struct stat status;
    if (::lstat(to.constData(), &status) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}
