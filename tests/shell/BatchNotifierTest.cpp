#include "BatchNotifier.h"

#include "EventLoop.h"
#include "PrivateBus.h"
#include "TestPrinters.h"

#include <QDBusConnectionInterface>

#include <gtest/gtest.h>

// The desktop's side: a notification server and a dock, each recording what reached it.
class FakeDesktop : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList notes, launcher;

public slots:
    void Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int timeout)
    {
        notes << QStringList{app, icon, summary, body, actions.join(','), QString::number(timeout)}.join('|');
    }
    void Update(const QString& app, const QVariantMap& p)
    {
        launcher << QStringList{app, p["progress"].toString(), p["progress-visible"].toString(), p["count"].toString(),
                                p["count-visible"].toString(), p["count"].typeName()}.join(' ');
    }
};

struct BatchNotifierTest : PrivateBus {
    FakeDesktop desktop;
};

// A notification per finished batch, saying what became of its files, and the launcher entry
// docks read: progress within 0..1, the count only while files wait (as the 64-bit integer docks
// read), and both gone once the batch is over. The server answers only once this thread's event
// loop runs again, so a call that waited for it would take the whole timeout.
TEST_F(BatchNotifierTest, BatchesReachTheDesktopWithoutWaitingForIt)
{
    ASSERT_TRUE(serviceBus.registerService("org.freedesktop.Notifications") &&
                serviceBus.registerObject("/org/freedesktop/Notifications", &desktop, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serviceBus.connect({}, {}, "com.canonical.Unity.LauncherEntry", "Update", &desktop, SLOT(Update(QString,QVariantMap))));
    serviceBus.interface()->isServiceRegistered("mpgfix");  // a round trip: the bus now routes Update to the dock
    BatchNotifier notifier(appBus);
    const QDeadlineTimer quick(500);
    // A missing bus costs the window nothing either.
    BatchNotifier(QDBusConnection("nowhere")).batchFinished(2, 1);
    for (const auto& [fixed, failed] : {std::pair(3, 0), {1, 0}, {2, 1}, {0, 4}})
        notifier.batchFinished(fixed, failed);
    notifier.showProgress(0.25, 3);
    notifier.showProgress(1.5, 0);
    notifier.clearProgress();
    EXPECT_FALSE(quick.hasExpired());
    const QString app = "application://io.github.mpgfix.mpgfix.desktop ";
    const QStringList notes = {"mpgfix|mpgfix|3 files fixed|||-1", "mpgfix|mpgfix|1 file fixed|||-1",
                               "mpgfix|mpgfix|2 files fixed, 1 failed|||-1", "mpgfix|mpgfix|0 files fixed, 4 failed|||-1"};
    const QStringList launcher = {app + "0.25 true 3 true qlonglong", app + "1 true 0 false qlonglong", app + "0 false 0 false qlonglong"};
    spinUntil([&] { return desktop.notes.size() >= notes.size() && desktop.launcher.size() >= launcher.size(); });
    EXPECT_EQ(std::pair(desktop.notes, desktop.launcher), std::pair(notes, launcher));
}

#include "BatchNotifierTest.moc"
