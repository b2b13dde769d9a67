#include "FolderIntake.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>
#include <functional>

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

using Hand = std::function<void(const QString&)>;

// Hands each video file in `folder` to `take` and each other one to `leave`, in name order at
// every depth; how many videos it found.
int takeVideosIn(const QString& folder, const QMimeDatabase& types, const Hand& take, const std::stop_token& stop,
                 const Hand& leave)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    int found = 0;
    for (const QFileInfo& entry : entries) {
        if (stop.stop_requested())
            break;
        if (entry.isDir()) {
            if (!entry.isSymLink())
                found += takeVideosIn(entry.filePath(), types, take, stop, leave);
        } else if (isVideo(types, entry)) {
            take(entry.filePath());
            ++found;
        } else if (leave) {
            leave(entry.filePath());
        }
    }
    return found;
}

} // namespace

void expandFolders(const QStringList& paths, const Hand& take, const std::stop_token& stop, const Hand& leave)
{
    const QMimeDatabase types;
    for (const QString& path : paths) {
        if (stop.stop_requested())
            return;
        if (!QFileInfo(path).isDir() || takeVideosIn(path, types, take, stop, leave) == 0)
            take(path);
    }
}

bool isVideoFile(const QString& path) { return isVideo(QMimeDatabase(), QFileInfo(path)); }

QStringList expandFolders(const QStringList& paths)
{
    QStringList files;
    expandFolders(paths, [&files](const QString& file) { files << file; });
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
