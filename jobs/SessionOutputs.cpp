#include "SessionOutputs.h"

#include <QFile>

#include <optional>

#include <sys/stat.h>

namespace {

std::optional<std::pair<dev_t, ino_t>> identityOf(const QString& path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::pair(status.st_dev, status.st_ino);
}

} // namespace

bool SessionOutputs::wrote(const QString& path) const
{
    const auto identity = identityOf(path);
    return identity && files_.contains(*identity);
}

void SessionOutputs::add(const QString& path)
{
    if (const auto identity = identityOf(path))
        files_.insert(*identity);
}
