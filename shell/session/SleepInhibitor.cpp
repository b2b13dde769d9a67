#include "SleepInhibitor.h"

#include "DesktopCalls.h"
#include "JobQueue.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// logind answers at once; this only bounds a bus that has stopped answering.
constexpr int callTimeoutMs = 10000;

} // namespace

SleepInhibitor::SleepInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , bus_(bus)
{
}

void SleepInhibitor::follow(JobQueue& queue)
{
    // The files running, the one just started among them, and those waiting. New work takes the
    // lock again even while no file can start, as behind a failure on show.
    const auto holdForQueue = [this, &queue] {
        const RoundTally tally = queue.tally();
        hold(tally.running + tally.waiting);
    };
    connect(&queue, &JobQueue::jobStarted, this, holdForQueue);
    connect(&queue, &JobQueue::workArrived, this, holdForQueue);
    // Nothing left to fix, even while the last failure waits to be read, or the queue stopped.
    connect(&queue, &JobQueue::roundFinished, this, &SleepInhibitor::release);
    connect(&queue, &JobQueue::idle, this, &SleepInhibitor::release);
}

void SleepInhibitor::hold(int files)
{
    wanted_ = true;
    if (lock_.isValid() || pending_)
        return;
    QDBusMessage inhibit = DesktopCalls::logind(QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("sleep:idle") << QStringLiteral("mpgfix")
            << (files == 0   ? tr("Looking for videos to fix")
                : files == 1 ? tr("Fixing 1 file")
                             : tr("Fixing %1 files").arg(files))
            << QStringLiteral("block");
    // A missing bus or service answers with an error, which is dropped like any answer that
    // comes after the work is over.
    pending_ = new QDBusPendingCallWatcher(bus_.asyncCall(inhibit, callTimeoutMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::answered);
}

void SleepInhibitor::release()
{
    wanted_ = false;
    // Closing our copy of the descriptor gives the lock back.
    lock_ = QDBusUnixFileDescriptor();
}

void SleepInhibitor::answered(QDBusPendingCallWatcher* call)
{
    pending_ = nullptr;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    if (wanted_ && reply.isValid())
        lock_ = reply.value();
    // The answer holds a copy of the descriptor too; it goes with the watcher.
    call->deleteLater();
}
