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

void FolderScan::sendFound()
{
    QStringList files;
    {
        const std::lock_guard lock(foundMutex_);
        files = std::exchange(unsent_, {});
    }
    if (!files.isEmpty())
        emit found(files);
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
        const auto handOn = [&] {
            const std::lock_guard lock(foundMutex_);
            unsent_ << std::exchange(files, {});
            QMetaObject::invokeMethod(this, &FolderScan::sendFound, Qt::QueuedConnection);
        };
        QStringList passedOver;
        QElapsedTimer sinceHandedOn;
        sinceHandedOn.start();
        expandFolders(paths, [&](const QString& file) {
            files << file;
            if (sinceHandedOn.elapsed() >= handOnMilliseconds) {
                handOn();
                sinceHandedOn.restart();
            }
        }, stop, [&passedOver](const QString& file) { passedOver << file; });
        if (!files.isEmpty())
            handOn();
        {
            const std::lock_guard lock(foundMutex_);
            unsentLeftOut_ = std::move(passedOver);
        }
        QMetaObject::invokeMethod(this, [this] {
            scanning_ = false;
            QStringList passedOver;
            {
                const std::lock_guard lock(foundMutex_);
                passedOver = std::exchange(unsentLeftOut_, {});
            }
            if (!passedOver.isEmpty())
                emit leftOut(passedOver);
            startNext();
        }, Qt::QueuedConnection);
    });
}
