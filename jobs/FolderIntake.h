#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stop_token>

// Turns dropped or opened paths into the files to fix: a folder stands for the video files
// inside it, at any depth, in name order. A folder without any stays as itself, so that its
// job can say so. Hidden entries, links to folders, the folder `outputFolder` within a folder
// and the outputs this process wrote are passed over.
QStringList expandFolders(const QStringList& paths, const QString& outputFolder = {});
// The same, handing each file to `take` as it is found, until `stop` is requested, and each
// file inside a folder that is not a video to `leave`.
void expandFolders(const QStringList& paths, const std::function<void(const QString&)>& take,
                   const std::stop_token& stop = {}, const QString& outputFolder = {},
                   const std::function<void(const QString&)>& leave = {});
// Whether the desktop's file types call `path` a video, by its name or else its content.
bool isVideoFile(const QString& path);
// The name patterns ("*.mp4", ...) of every file type that counts as video above, for a file
// chooser's filter.
QStringList videoNamePatterns();
