#include "MainWindow.h"
#include "RoundNotifier.h"
#include "SleepInhibitor.h"
#include "WhenDoneView.h"
#include "ui_MainWindow.h"

#include "JobFixture.h"
#include "TestPrinters.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

#include <array>

#include <poll.h>
#include <unistd.h>

// logind's manager as far as mpgfix uses it, recording its calls. A lock is the write end of a
// pipe whose read end the fake keeps: that reads as closed once mpgfix has closed its copy.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;
    int lockEnd = -1;
    // What CanSuspend and CanPowerOff answer; "refuse": yes, but Suspend and PowerOff are refused.
    QString can = "yes";
    ~FakeLogind() override { ::close(lockEnd); }
    // Nothing to read and no hang-up yet.
    bool lockHeld() const { return lockEnd >= 0 && ::poll(std::array{pollfd{lockEnd, POLLIN, 0}}.data(), 1, 0) == 0; }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why, const QString& mode)
    {
        calls << QStringList{"Inhibit", what, who, why, mode}.join(' ');
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        ::close(std::exchange(lockEnd, ends[0]));
        const QDBusUnixFileDescriptor lock(ends[1]);  // a copy of it
        ::close(ends[1]);
        return lock;
    }
    QString CanSuspend() { return can == "refuse" ? "yes" : can; }
    QString CanPowerOff() { return CanSuspend(); }
    void Suspend(bool interactive) { act(QString("Suspend %1").arg(interactive)); }
    void PowerOff(bool interactive) { act(QString("PowerOff %1").arg(interactive)); }
    void act(const QString& call)
    {
        calls << call;
        if (can == "refuse")
            sendErrorReply(QDBusError::AccessDenied, "Not now");
    }
};

// The desktop's notification server and dock, recording what reached them.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit FakeNotifications(QStringList& calls) : calls(calls) {}
    QStringList& calls;
    QStringList launcher;

public slots:
    void CloseNotification(uint id) { calls << QString("Close %1").arg(id); }
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString&,
                const QStringList&, const QVariantMap&, int timeout)
    {
        calls << QStringList{"Notify", app, icon, summary, QString::number(timeout)}.join(' ');
        return 7;
    }
    void Update(const QString& app, const QVariantMap& p)
    {
        launcher << QStringList{app, p["progress"].toString(), p["progress-visible"].toString(), p["count"].toString(),
                                p["count-visible"].toString(), p["count"].typeName()}.join(' ');
    }
};

// A bus of the test's own, with the services' side and mpgfix's side on connections of their
// own; the daemon is killed and reaped, and the names given up, with the fixture.
class DesktopTest : public testing::Test {
protected:
    void SetUp() override
    {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForReadyRead(5000))
            GTEST_SKIP() << "no dbus-daemon";
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        serviceBus = QDBusConnection::connectToBus(address, "service");
        appBus = QDBusConnection::connectToBus(address, "app");
    }
    ~DesktopTest() override
    {
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("app");
        daemon.kill(), daemon.waitForFinished();
    }
    void serve()
    {
        const auto exported = QDBusConnection::ExportAllSlots;
        ASSERT_TRUE(serviceBus.registerService("org.freedesktop.login1") &&
                    serviceBus.registerObject("/org/freedesktop/login1", &logind, exported) &&
                    serviceBus.registerService("org.freedesktop.Notifications") &&
                    serviceBus.registerObject("/org/freedesktop/Notifications", &notes, exported));
    }

    QProcess daemon;
    QDBusConnection serviceBus{"service"}, appBus{"app"};
    FakeLogind logind;
    FakeNotifications notes{logind.calls};
};

// The File menu's choice once a round is over, with the countdown's Cancel clicked or not.
// Suspend and Power Off are offered only as logind allows them, the tooltip saying why not, and
// its refusal is shown.
TEST_F(DesktopTest, WhenDoneActsAfterTheCountdownUnlessCancelled)
{
    MainWindow lonely;
    const WhenDoneView lonelyView(lonely, *new WhenDone(QDBusConnection("nowhere"), appBus, std::chrono::seconds(1), &lonely));
    EXPECT_TRUE(spinUntil([&] { return lonely.ui().suspendItem->toolTip().startsWith("The login manager (logind)"); }));
    serve();
    const QString suspending = "Notify mpgfix mpgfix mpgfix will suspend the computer in 1 seconds. 200";
    const QString poweringOff = "Notify mpgfix mpgfix mpgfix will power off the computer in 1 seconds. 200";
    const struct { QAction* Ui::MainWindow::*item; bool cancel; const char* can; QStringList calls; QString shown; } rows[] = {
        {&Ui::MainWindow::suspendItem, false, "yes", {suspending, "Suspend 0"}, ""},
        {&Ui::MainWindow::suspendItem, true, "yes", {suspending, "Close 7"}, ""},
        {&Ui::MainWindow::powerOffItem, false, "yes", {poweringOff, "PowerOff 0"}, ""},
        {&Ui::MainWindow::powerOffItem, false, "refuse", {poweringOff, "PowerOff 0"},
         "The computer could not be powered off: Not now"},
        {&Ui::MainWindow::quitWhenDoneItem, false, "yes", {"quit"}, ""},
        {&Ui::MainWindow::suspendItem, false, "challenge", {}, "This needs a password on this computer."},
        {&Ui::MainWindow::powerOffItem, false, "na", {}, "This computer cannot do this."},
    };
    for (const auto& row : rows) {
        logind.calls.clear();
        logind.can = row.can;
        MainWindow window;
        WhenDone whenDone(appBus, appBus, std::chrono::milliseconds(200));
        const WhenDoneView view(window, whenDone);
        QSignalSpy allowed(&whenDone, &WhenDone::allowed);
        QObject::connect(&whenDone, &WhenDone::quitRequested, [&] { logind.calls << "quit"; });
        EXPECT_TRUE(window.ui().doNothingItem->isChecked() && spinUntil([&] { return allowed.size() == 2; }));
        QAction* item = window.ui().*row.item;
        item->trigger();
        whenDone.roundFinished();
        if (row.cancel && spinUntil([&] { return view.countdownBox(); }))
            view.countdownBox()->button(QMessageBox::Cancel)->click();
        spinUntil([] { return false; }, 500);
        const QMessageBox* box = window.findChild<QMessageBox*>();
        EXPECT_EQ(std::pair(logind.calls, item->isEnabled() ? box ? box->text() : "" : item->toolTip()),
                  std::pair(row.calls, row.shown)) << row.can;
        EXPECT_FALSE(whenDone.isCounting() || view.countdownBox());
    }
}

// The scan and the queue against the lock and When Done, for each choice. A scan under way, a
// file that waits or one handed over behind a failure on show, is work: the lock is held (taken
// again on new work), and there is no countdown and no quit. The last file's failure ends the
// round: while it is read nothing is left to stay awake for. A countdown that runs out while there
// is work calls nobody. Without logind, or without a bus, the work goes on as before; logind's
// answer that comes after the work is over is given back.
TEST_F(DesktopTest, TheLockAndWhenDoneWaitForTheTrueEnd)
{
    SleepInhibitor(QDBusConnection("nowhere")).hold(1);
    SleepInhibitor lonely(appBus);
    lonely.hold(1);
    EXPECT_FALSE(spinUntil([&] { return lonely.isHeld(); }, 300));
    serve();
    using enum WhenDone::Choice;
    for (const WhenDone::Choice choice : {Quit, Suspend, PowerOff}) {
        logind.calls.clear();
        JobFixture fixture;
        fixture.holdFailures = true;
        SleepInhibitor inhibitor(appBus);
        inhibitor.follow(fixture.queue);
        WhenDone whenDone(appBus, appBus, std::chrono::milliseconds(500));
        whenDone.follow(fixture.queue);
        whenDone.setChoice(choice);
        QObject::connect(&whenDone, &WhenDone::quitRequested, [&] { logind.calls << "quit"; });
        const auto dismiss = [&] { fixture.held = false, fixture.queue.failureDismissed(); };
        const auto untilHeld = [&] { spinUntil([&] { return fixture.held; }); };
        const QRegularExpression acts("^(quit|Suspend|PowerOff)");
        const struct { std::function<void()> act; const char* counting; const char* quitting; } steps[] = {
            {[&] { fixture.queue.setScanning(true); }, "1 0 0", "1 0 0"},
            {[&] { fixture.queue.add({"/nonexistent/a.mp4", "/nonexistent/b.mp4"}), untilHeld(); }, "1 0 0", "1 0 0"},
            {[&] { dismiss(), untilHeld(), fixture.queue.setScanning(false); }, "0 1 0", "0 0 1"},
            {[&] { fixture.queue.add({"/nonexistent/c.mp4"}); }, "1 0 0", "1 0 1"},
            {[&] { dismiss(), untilHeld(); }, "0 1 0", "0 0 2"},
            {[&] { dismiss(), fixture.queue.setScanning(true), whenDone.roundFinished(), spinUntil([] { return false; }, 700); },
             "1 0 0", "1 0 3"},
            {[&] { fixture.queue.setScanning(false); }, "0 1 1", "0 0 4"},
            {[&] { inhibitor.hold(2), inhibitor.release(), spinUntil([] { return false; }, 100); }, "0 0 1", "0 0 4"},
        };
        for (const auto& step : steps) {
            step.act();
            // The lock held, the countdown running right after the step, and how often the choice
            // was carried out.
            const auto state = [&, counting = whenDone.isCounting()] {
                return QString("%1 %2 %3").arg(logind.lockHeld()).arg(counting).arg(logind.calls.filter(acts).size());
            };
            const QString expected = choice == Quit ? step.quitting : step.counting;
            EXPECT_TRUE(spinUntil([&] { return state() == expected; }, 2000))
                << int(choice) << " step " << &step - steps + 1 << ": " << state().toStdString();
        }
        const QString inhibit = "Inhibit sleep:idle mpgfix %1 block";
        EXPECT_EQ(logind.calls.filter("Inhibit"), QStringList({inhibit.arg("Looking for videos to fix"),
                  inhibit.arg("Fixing 1 file"), inhibit.arg("Looking for videos to fix"), inhibit.arg("Fixing 2 files")}));
    }
}

// A notification per finished round, saying what became of its files, and the launcher entry
// docks read: progress within 0..1, the count only while files wait (as the 64-bit integer docks
// read), and both gone once the round is over. The server answers only once this thread's event
// loop runs again, so a call that waited for it would take the whole timeout.
TEST_F(DesktopTest, RoundsReachTheDesktopWithoutWaitingForIt)
{
    serve();
    ASSERT_TRUE(serviceBus.connect({}, {}, "com.canonical.Unity.LauncherEntry", "Update", &notes,
                                   SLOT(Update(QString,QVariantMap))));
    serviceBus.interface()->isServiceRegistered("mpgfix");  // a round trip: the bus now routes Update to the dock
    RoundNotifier notifier(appBus);
    const QDeadlineTimer quick(500);
    // A missing bus costs the window nothing either.
    RoundNotifier(QDBusConnection("nowhere")).roundFinished({.fixed = 2, .failed = 1});
    for (const RoundTally& tally : {RoundTally{.fixed = 3}, {.fixed = 1}, {.fixed = 2, .failed = 1}, {.failed = 4}})
        notifier.roundFinished(tally);
    notifier.showProgress(0.25, 3);
    notifier.showProgress(1.5, 0);
    notifier.clearProgress();
    EXPECT_FALSE(quick.hasExpired());
    const QString app = "application://io.github.mpgfix.mpgfix.desktop ";
    const QStringList notified = {"Notify mpgfix mpgfix 3 files fixed -1", "Notify mpgfix mpgfix 1 file fixed -1",
                                  "Notify mpgfix mpgfix 2 files fixed, 1 failed -1",
                                  "Notify mpgfix mpgfix 0 files fixed, 4 failed -1"};
    const QStringList launcher = {app + "0.25 true 3 true qlonglong", app + "1 true 0 false qlonglong",
                                  app + "0 false 0 false qlonglong"};
    spinUntil([&] { return logind.calls.size() >= notified.size() && notes.launcher.size() >= launcher.size(); });
    EXPECT_EQ(std::pair(logind.calls, notes.launcher), std::pair(notified, launcher));
}

#include "DesktopTest.moc"
