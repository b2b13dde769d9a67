#include "FolderIntake.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>

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

void addVideosIn(const QString& folder, const QMimeDatabase& types, QStringList& videos)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink())
                addVideosIn(entry.filePath(), types, videos);
        } else if (isVideo(types, entry)) {
            videos << entry.filePath();
        }
    }
}

} // namespace

QStringList expandFolders(const QStringList& paths)
{
    const QMimeDatabase types;
    QStringList files;
    for (const QString& path : paths) {
        QStringList videos;
        if (QFileInfo(path).isDir())
            addVideosIn(path, types, videos);
        files << (videos.isEmpty() ? QStringList{path} : videos);
    }
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
