#include "DiscWorkFolder.h"

#include "FileNaming.h"
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
    return renameNoReplace(from, to);
}

void DiscWorkFolder::takeBack(const QString& finalPath, const QString& name) const
{
    ::rename(QFile::encodeName(finalPath).constData(), QFile::encodeName(filePath(name)).constData());
}
