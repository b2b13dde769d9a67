#include "FolderScan.h"

#include "FolderIntake.h"

#include <QElapsedTimer>

namespace {

// Found files are handed on at least this often, so that the list fills as the scan goes.
constexpr qint64 handOnMilliseconds = 100;

} // namespace

void FolderScan::scan(const QStringList& paths)
{
    waiting_.push_back(paths);
    startNext();
}

void FolderScan::startNext()
{
    if (scanning_ || waiting_.empty())
        return;
    scanning_ = true;
    const QStringList paths = waiting_.front();
    waiting_.pop_front();
    // The thread before has sent its last files already; joining it only collects it.
    worker_ = std::jthread([this, paths](const std::stop_token& stop) {
        QStringList files;
        QElapsedTimer sinceHandedOn;
        sinceHandedOn.start();
        expandFolders(paths, [&](const QString& file) {
            files << file;
            if (sinceHandedOn.elapsed() >= handOnMilliseconds) {
                emit found(std::exchange(files, {}));
                sinceHandedOn.restart();
            }
        }, stop);
        if (!files.isEmpty())
            emit found(files);
        QMetaObject::invokeMethod(this, [this] {
            scanning_ = false;
            startNext();
        }, Qt::QueuedConnection);
    });
}
