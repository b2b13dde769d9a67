#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

class JobQueue;
class QDBusPendingCallWatcher;

// Keeps the computer from sleeping while the queue has work, through a logind inhibitor lock:
// the lock is the file descriptor logind hands back, held while it is open. The call is made
// without waiting for logind; without logind or without a system bus nothing happens.
class SleepInhibitor : public QObject {
    Q_OBJECT

public:
    explicit SleepInhibitor(const QDBusConnection& bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

    // Takes the lock when the queue gets new work or starts a file, gives it up when nothing is
    // left to fix (the last failure may still be on show) or the queue goes idle.
    void follow(JobQueue& queue);
    // "Fixing <files> files", or with none yet that it looks for them; a second hold while one
    // is held or asked for changes nothing.
    void hold(int files);
    void release();
    // The lock is held now (logind has answered and it was still wanted).
    bool isHeld() const { return lock_.isValid(); }

private:
    void answered(QDBusPendingCallWatcher* call);

    QDBusConnection bus_;
    QDBusUnixFileDescriptor lock_;
    QDBusPendingCallWatcher* pending_ = nullptr;
    bool wanted_ = false;
};
