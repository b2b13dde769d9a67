#pragma once

#include "RoundTally.h"

#include <QDBusConnection>
#include <QObject>

// Tells the desktop about the work queue over D-Bus: a notification once a round has run dry,
// and the round's progress and waiting files on the launcher of docks that read Unity's
// launcher entries. Nothing waits for an answer, so a slow or missing service never holds up
// the window; without a bus, or without a notification service, nothing happens.
class RoundNotifier : public QObject {
    Q_OBJECT

public:
    explicit RoundNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // One notification: "<n> files fixed", and ", <m> failed" when any failed.
    void roundFinished(const RoundTally& tally);
    // The round's progress (0..1) and the files waiting behind it, on the launcher.
    void showProgress(double fraction, int waiting);
    // Takes progress and count off the launcher once the round is over.
    void clearProgress();

private:
    void updateLauncher(double progress, bool progressVisible, qint64 count, bool countVisible);

    QDBusConnection bus_;
};
