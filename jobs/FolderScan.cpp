#include "FolderScan.h"

#include "FolderIntake.h"

#include <algorithm>

namespace {

// Found files that come fast are sent on together at most this often, so that the list fills
// as the scan goes without being redrawn for every file.
constexpr std::chrono::milliseconds sendInterval(100);

} // namespace

FolderScan::FolderScan(QObject* parent) : QObject(parent)
{
    sendTimer_.setSingleShot(true);
    connect(&sendTimer_, &QTimer::timeout, this, &FolderScan::sendFound);
}

void FolderScan::scan(const QStringList& paths, const QString& outputFolder)
{
    if (paths.isEmpty())
        return;
    waiting_.push_back({paths, outputFolder});
    if (!std::exchange(scanning_, true))
        emit scanningChanged(true);
    startNext();
}

void FolderScan::sendSoon()
{
    if (sendTimer_.isActive())
        return;
    const qint64 sinceLast = sinceSent_.isValid() ? sinceSent_.elapsed() : sendInterval.count();
    sendTimer_.start(std::chrono::milliseconds(std::max<qint64>(0, sendInterval.count() - sinceLast)));
}

void FolderScan::sendFound()
{
    sendTimer_.stop();
    QStringList files;
    {
        const std::lock_guard lock(foundMutex_);
        files = std::exchange(unsent_, {});
    }
    if (files.isEmpty())
        return;
    sinceSent_.start();
    emit found(files);
}

void FolderScan::scanEnded()
{
    sendFound();
    QStringList passedOver;
    {
        const std::lock_guard lock(foundMutex_);
        passedOver = std::exchange(unsentLeftOut_, {});
    }
    if (!passedOver.isEmpty())
        emit leftOut(passedOver);
    threadRuns_ = false;
    if (waiting_.empty()) {
        scanning_ = false;
        emit scanningChanged(false);
    }
    startNext();
}

void FolderScan::startNext()
{
    if (threadRuns_ || waiting_.empty())
        return;
    threadRuns_ = true;
    const Request request = waiting_.front();
    waiting_.pop_front();
    // The thread before has sent its last files already; joining it only collects it.
    worker_ = std::jthread([this, request](const std::stop_token& stop) {
        expandFolders(request.paths, [this](const QString& file) {
            const std::lock_guard lock(foundMutex_);
            // The first file since the last send wakes the GUI thread; the rest go along with it.
            if (unsent_.isEmpty())
                QMetaObject::invokeMethod(this, &FolderScan::sendSoon, Qt::QueuedConnection);
            unsent_ << file;
        }, stop, request.outputFolder, [this](const QString& file) {
            const std::lock_guard lock(foundMutex_);
            unsentLeftOut_ << file;
        });
        QMetaObject::invokeMethod(this, &FolderScan::scanEnded, Qt::QueuedConnection);
    });
}
