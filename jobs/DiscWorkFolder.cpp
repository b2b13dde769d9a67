#include "DiscWorkFolder.h"

#include "UniqueFd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char mark[] = ".mpgfix-XXXXXX";

// `name` cut to at most `bytes` bytes, never inside a UTF-8 sequence.
QByteArray cutName(QByteArray name, qsizetype bytes)
{
    if (name.size() <= bytes)
        return name;
    while (bytes > 0 && (uchar(name.at(bytes)) & 0xC0) == 0x80)
        --bytes;
    name.truncate(bytes);
    return name;
}

} // namespace

DiscWorkFolder::DiscWorkFolder(const QString& destination, const QString& title)
{
    // The hidden name fits wherever the title fits, giving up the title's end where it must.
    const qsizetype room = NAME_MAX - 1 - qsizetype(sizeof mark - 1);
    const QByteArray folder = QFile::encodeName(QFileInfo(destination).absoluteFilePath());
    QByteArray pattern = folder + "/." + cutName(QFile::encodeName(title), room) + mark;
    if (::mkdtemp(pattern.data()) == nullptr)
        creationError_ = errno;
    else
        path_ = QFile::decodeName(pattern);
}

DiscWorkFolder::~DiscWorkFolder()
{
    if (!path_.isEmpty())
        QDir(path_).removeRecursively();
}

int DiscWorkFolder::flush() const
{
    const UniqueFd folder(::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.get() >= 0 && ::syncfs(folder.get()) == 0 ? 0 : errno;
}

int DiscWorkFolder::place(const QString& name, const QString& finalPath) const
{
    const QByteArray from = QFile::encodeName(filePath(name));
    const QByteArray to = QFile::encodeName(finalPath);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the flag: a name taken between the look and the move is left to chance.
    struct stat status;
    if (::lstat(to.constData(), &status) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

void DiscWorkFolder::takeBack(const QString& finalPath, const QString& name) const
{
    ::rename(QFile::encodeName(finalPath).constData(), QFile::encodeName(filePath(name)).constData());
}
