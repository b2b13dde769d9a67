#include "WrittenFiles.h"

#include <QFile>

#include <mutex>
#include <optional>
#include <set>
#include <tuple>

#include <sys/stat.h>

namespace {

// Size and time too: once an output is deleted, a new file may get its inode.
using Identity = std::tuple<dev_t, ino_t, off_t, time_t, long>;

std::optional<Identity> identityOf(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

std::mutex mutex;
std::set<Identity> written;

} // namespace

void WrittenFiles::record(const QString& path)
{
    if (const std::optional<Identity> identity = identityOf(path)) {
        const std::lock_guard lock(mutex);
        written.insert(*identity);
    }
}

bool WrittenFiles::contains(const QString& path)
{
    const std::optional<Identity> identity = identityOf(path);
    const std::lock_guard lock(mutex);
    return identity && written.contains(*identity);
}
