#include "FolderIntake.h"

#include "WrittenFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace {

bool isVideoType(const QMimeType& type)
{
    if (type.name().startsWith(QLatin1String("video/")))
        return true;
    const QStringList ancestors = type.allAncestors();
    return std::any_of(ancestors.begin(), ancestors.end(),
                       [](const QString& ancestor) { return ancestor.startsWith(QLatin1String("video/")); });
}

// By the file's name first and its content where the name says nothing, as file managers do.
bool isVideo(const QMimeDatabase& types, const QFileInfo& file) { return isVideoType(types.mimeTypeForFile(file)); }

// A folder by device and inode, so that any path to it is known as the same.
using FolderId = std::pair<dev_t, ino_t>;

std::optional<FolderId> folderId(const QString& path)
{
    struct stat status;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FolderId{status.st_dev, status.st_ino};
}

// `items` in order, sorted in runs that are then merged, so that a stop is heard between any
// two of them however many items there are; left unsorted once `stop` is requested.
template <typename T>
void sortUnlessStopped(std::vector<T>& items, const std::stop_token& stop)
{
    constexpr size_t run = 4096;
    const size_t size = items.size();
    const auto at = [&items, size](size_t index) { return items.begin() + qsizetype(std::min(index, size)); };
    for (size_t start = 0; start < size; start += run) {
        if (stop.stop_requested())
            return;
        std::sort(at(start), at(start + run));
    }
    for (size_t width = run; width < size; width *= 2)
        for (size_t start = 0; start + width < size; start += 2 * width) {
            if (stop.stop_requested())
                return;
            std::inplace_merge(at(start), at(start + width), at(start + 2 * width));
        }
}

// The names of the entries of `folder` in name order, case aside; fewer once `stop` is
// requested. Read and sorted bit by bit, so that a stop is heard at once however many there are.
QStringList namesIn(const QString& folder, const std::stop_token& stop)
{
    // Each name after its key, folded once rather than at every comparison.
    std::vector<std::pair<QString, QString>> names;
    for (QDirIterator next(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
         !stop.stop_requested() && next.hasNext();) {
        const QString name = QFileInfo(next.next()).fileName();
        names.emplace_back(name.toCaseFolded(), name);
    }
    sortUnlessStopped(names, stop);
    QStringList sorted;
    sorted.reserve(qsizetype(names.size()));
    for (const auto& [key, name] : names)
        sorted << name;
    return sorted;
}

using Hand = std::function<void(const QString&)>;

// One expansion's walk through the folders.
struct Walk {
    const QMimeDatabase types;
    const Hand& take;
    const std::stop_token& stop;
    // The folder the outputs go to, never entered: what it holds are outputs, some of them
    // still to come from this very run.
    const std::optional<FolderId> outputFolder;
    const Hand& leave;

    // Hands each video file in `folder` to `take` and each other one to `leave`, in name order at
    // every depth; how many videos it found.
    int takeVideosIn(const QString& folder) const
    {
        int found = 0;
        for (const QString& name : namesIn(folder, stop)) {
            if (stop.stop_requested())
                break;
            const QFileInfo entry(folder + u'/' + name);
            if (entry.isDir()) {
                if (!entry.isSymLink() && (!outputFolder || folderId(entry.filePath()) != outputFolder))
                    found += takeVideosIn(entry.filePath());
            } else if (!isVideo(types, entry)) {
                if (leave)
                    leave(entry.filePath());
            } else if (!WrittenFiles::contains(entry.filePath())) {
                take(entry.filePath());
                ++found;
            }
        }
        return found;
    }
};

} // namespace

void expandFolders(const QStringList& paths, const Hand& take, const std::stop_token& stop, const QString& outputFolder,
                   const Hand& leave)
{
    const Walk walk{{}, take, stop, folderId(outputFolder), leave};
    for (const QString& path : paths) {
        if (stop.stop_requested())
            return;
        if (!QFileInfo(path).isDir() || walk.takeVideosIn(path) == 0)
            take(path);
    }
}

bool isVideoFile(const QString& path) { return isVideo(QMimeDatabase(), QFileInfo(path)); }

QStringList expandFolders(const QStringList& paths, const QString& outputFolder)
{
    QStringList files;
    expandFolders(paths, [&files](const QString& file) { files << file; }, {}, outputFolder);
    return files;
}

QStringList videoNamePatterns()
{
    QStringList patterns;
    for (const QMimeType& type : QMimeDatabase().allMimeTypes())
        if (isVideoType(type))
            patterns << type.globPatterns();
    patterns.removeDuplicates();
    patterns.sort();
    return patterns;
}
