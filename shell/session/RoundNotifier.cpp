#include "RoundNotifier.h"

#include "DesktopCalls.h"

#include <algorithm>

RoundNotifier::RoundNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , bus_(bus)
{
}

void RoundNotifier::roundFinished(const RoundTally& tally)
{
    const QString files = tally.fixed == 1 ? tr("1 file fixed") : tr("%1 files fixed").arg(tally.fixed);
    const QString summary = tally.failed > 0 ? tr("%1, %2 failed").arg(files).arg(tally.failed) : files;
    // No body, and the server's own timeout.
    const QDBusMessage notify = DesktopCalls::notify(summary, QString(), -1);
    // send() marks a call as wanting no reply: nothing waits for the server, and when there is
    // none the bus sends no error back. Without a bus it returns false and says nothing.
    bus_.send(notify);
}

void RoundNotifier::showProgress(double fraction, int waiting)
{
    updateLauncher(std::clamp(fraction, 0.0, 1.0), true, waiting, waiting > 0);
}

void RoundNotifier::clearProgress()
{
    updateLauncher(0.0, false, 0, false);
}

void RoundNotifier::updateLauncher(double progress, bool progressVisible, qint64 count, bool countVisible)
{
    // Docks match the signal by interface and member, and the app by its desktop file; the
    // path is only ours. The count travels as a 64-bit integer, as docks read it.
    auto update = QDBusMessage::createSignal(QStringLiteral("/com/canonical/unity/launcherentry/mpgfix"),
                                             QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                             QStringLiteral("Update"));
    update << QStringLiteral("application://io.github.mpgfix.mpgfix.desktop")
           << QVariantMap{{QStringLiteral("progress"), progress},
                          {QStringLiteral("progress-visible"), progressVisible},
                          {QStringLiteral("count"), count},
                          {QStringLiteral("count-visible"), countVisible}};
    bus_.send(update);
}
