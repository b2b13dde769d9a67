#include "MainWindow.h"
#include "SleepInhibitor.h"
#include "WhenDoneView.h"
#include "ui_MainWindow.h"

#include "JobFixture.h"
#include "PrivateBus.h"
#include "TestPrinters.h"

#include <QMessageBox>
#include <QPushButton>

#include <array>

#include <poll.h>
#include <unistd.h>

// logind's manager as far as mpgfix uses it, recording its calls. A lock is the write end of a
// pipe whose read end the fake keeps: that reads as closed once mpgfix has closed its copy.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;
    int lockEnd = -1;
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
    void Suspend(bool interactive) { calls << QString("Suspend %1").arg(interactive); }
    void PowerOff(bool interactive) { calls << QString("PowerOff %1").arg(interactive); }
};

class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit FakeNotifications(QStringList& calls) : calls(calls) {}
    QStringList& calls;

public slots:
    void CloseNotification(uint id) { calls << QString("Close %1").arg(id); }
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString&, const QStringList&,
                const QVariantMap&, int timeout) { calls << QString("Notify %1 %2").arg(summary).arg(timeout); return 7; }
};

class PowerTest : public PrivateBus {
protected:
    void serve()
    {
        ASSERT_TRUE(serviceBus.registerService("org.freedesktop.login1") &&
                    serviceBus.registerObject("/org/freedesktop/login1", &logind, QDBusConnection::ExportAllSlots) &&
                    serviceBus.registerService("org.freedesktop.Notifications") &&
                    serviceBus.registerObject("/org/freedesktop/Notifications", &notes, QDBusConnection::ExportAllSlots));
    }

    FakeLogind logind;
    FakeNotifications notes{logind.calls};
};

// One lock for the whole batch, held through a failure on show, given back once the queue is
// idle; an answer that comes after the work is over is given back too. Without logind, or
// without a bus, the work goes on as before. The batch's end starts When Done's countdown, and
// new work stops it.
TEST_F(PowerTest, TheLockAndTheCountdownFollowTheQueue)
{
    SleepInhibitor(QDBusConnection("nowhere")).hold(1);
    SleepInhibitor lonely(appBus);
    lonely.hold(1);
    EXPECT_FALSE(spinUntil([&] { return lonely.isHeld(); }, 300));

    serve();
    JobFixture fixture;
    fixture.holdFailures = true;
    SleepInhibitor inhibitor(appBus);
    inhibitor.follow(fixture.queue);
    WhenDone whenDone(appBus, appBus, std::chrono::minutes(1));
    whenDone.follow(fixture.queue);
    whenDone.setChoice(WhenDone::Choice::Suspend);
    fixture.queue.add({"/nonexistent/a.mp4", "/nonexistent/b.mp4"});
    for (int file = 0; file < 2; ++file) {
        ASSERT_TRUE(spinUntil([&] { return fixture.held && inhibitor.isHeld() && logind.lockHeld(); }));
        fixture.dismiss();
    }
    EXPECT_TRUE(spinUntil([&] { return !inhibitor.isHeld() && !logind.lockHeld(); }));

    inhibitor.hold(1);
    inhibitor.release();
    EXPECT_TRUE(spinUntil([&] { return logind.calls.size() == 3 && !logind.lockHeld(); }));
    EXPECT_EQ(logind.calls, QStringList({"Inhibit sleep:idle mpgfix Fixing 2 files block",
                                         "Notify mpgfix will suspend the computer in 60 seconds. 60000",
                                         "Inhibit sleep:idle mpgfix Fixing 1 file block"}));
    EXPECT_TRUE(whenDone.isCounting());
    fixture.queue.add({"/nonexistent/c.mp4"});
    EXPECT_FALSE(whenDone.isCounting());
}

// The File menu's choice once a batch is over, with the countdown's Cancel clicked or not.
TEST_F(PowerTest, WhenDoneActsAfterTheCountdownUnlessCancelled)
{
    serve();
    const QString suspending = "Notify mpgfix will suspend the computer in 1 seconds. 200";
    const QString poweringOff = "Notify mpgfix will power off the computer in 1 seconds. 200";
    const struct {
        QAction* Ui::MainWindow::*item;
        bool cancel;
        QStringList calls;
    } rows[] = {
        {&Ui::MainWindow::suspendItem, false, {suspending, "Suspend 0"}},
        {&Ui::MainWindow::suspendItem, true, {suspending, "Close 7"}},
        {&Ui::MainWindow::powerOffItem, false, {poweringOff, "PowerOff 0"}},
        {&Ui::MainWindow::powerOffItem, true, {poweringOff, "Close 7"}},
        {&Ui::MainWindow::quitWhenDoneItem, false, {"quit"}},
        {&Ui::MainWindow::doNothingItem, false, {}},
    };
    for (const auto& row : rows) {
        logind.calls.clear();
        MainWindow window;
        WhenDone whenDone(appBus, appBus, std::chrono::milliseconds(200));
        const WhenDoneView view(window, whenDone);
        QObject::connect(&whenDone, &WhenDone::quitRequested, [&] { logind.calls << "quit"; });
        EXPECT_TRUE(window.ui().doNothingItem->isChecked());
        (window.ui().*row.item)->trigger();
        whenDone.batchFinished();
        if (row.cancel) {
            ASSERT_TRUE(spinUntil([&] { return view.countdownBox(); }));
            view.countdownBox()->button(QMessageBox::Cancel)->click();
        }
        spinUntil([] { return false; }, 500);
        EXPECT_EQ(logind.calls, row.calls) << row.cancel;
        EXPECT_FALSE(whenDone.isCounting() || view.countdownBox());
    }
}

#include "PowerTest.moc"
