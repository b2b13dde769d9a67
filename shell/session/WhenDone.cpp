#include "WhenDone.h"

#include "DesktopCalls.h"
#include "JobQueue.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// logind and a notification server answer at once; this only bounds one that has stopped
// answering.
constexpr int callTimeoutMs = 10000;

} // namespace

WhenDone::WhenDone(const QDBusConnection& system, const QDBusConnection& session, std::chrono::milliseconds countdown,
                   QObject* parent)
    : QObject(parent)
    , system_(system)
    , session_(session)
    , countdown_(countdown)
{
    end_.setSingleShot(true);
    connect(&end_, &QTimer::timeout, this, &WhenDone::act);
    tick_.setInterval(std::chrono::seconds(1));
    connect(&tick_, &QTimer::timeout, this, [this] { emit countdownTicked(secondsLeft()); });
    askAllowed(Choice::Suspend);
    askAllowed(Choice::PowerOff);
}

void WhenDone::askAllowed(Choice choice)
{
    const QDBusMessage ask =
        DesktopCalls::logind(choice == Choice::Suspend ? QStringLiteral("CanSuspend") : QStringLiteral("CanPowerOff"));
    // Without a bus no answer would ever come: its error stands for one.
    auto* call = new QDBusPendingCallWatcher(system_.isConnected() ? system_.asyncCall(ask, callTimeoutMs)
                                                                   : QDBusPendingCall::fromError(system_.lastError()),
                                             this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, choice](QDBusPendingCallWatcher* answer) {
        const QDBusPendingReply<QString> reply = *answer;
        const QString can = reply.isValid() ? reply.value() : QString();
        if (reply.isError())
            emit allowed(choice, tr("The login manager (logind) cannot be reached: %1").arg(reply.error().message()));
        else if (can == QLatin1String("yes"))
            emit allowed(choice, {});
        else if (can == QLatin1String("no"))
            emit allowed(choice, tr("You are not allowed to do this on this computer."));
        // Nobody may be at the desk to type a password when the files are done.
        else if (can == QLatin1String("challenge"))
            emit allowed(choice, tr("This needs a password on this computer."));
        else
            emit allowed(choice, tr("This computer cannot do this."));
        answer->deleteLater();
    });
}

void WhenDone::follow(JobQueue& queue)
{
    queue_ = &queue;
    connect(&queue, &JobQueue::roundFinished, this, &WhenDone::roundFinished);
    // New work, even one that cannot start yet: the computer has to stay up for it.
    connect(&queue, &JobQueue::workArrived, this, &WhenDone::cancel);
    connect(&queue, &JobQueue::jobStarted, this, &WhenDone::cancel);
}

void WhenDone::setChoice(Choice choice)
{
    if (choice != choice_)
        cancel();
    choice_ = choice;
}

void WhenDone::roundFinished()
{
    // Failures too: the user chose what follows the round, not what follows a good one.
    switch (choice_) {
    case Choice::Nothing:
        return;
    case Choice::Quit:
        emit quitRequested();
        return;
    case Choice::Suspend:
    case Choice::PowerOff:
        if (isCounting())
            return;
        deadline_.setRemainingTime(countdown_);
        end_.start(countdown_);
        tick_.start();
        notifyDesktop();
        emit countdownStarted(choice_);
        return;
    }
}

void WhenDone::cancel()
{
    if (!isCounting())
        return;
    end_.stop();
    tick_.stop();
    closeNote();
    emit countdownEnded();
}

int WhenDone::secondsLeft() const
{
    // Rounded up, so that the last second shows as 1 rather than 0.
    return int((deadline_.remainingTime() + 999) / 1000);
}

QString WhenDone::warning(Choice choice, int seconds)
{
    return choice == Choice::PowerOff ? tr("mpgfix will power off the computer in %1 seconds.").arg(seconds)
                                      : tr("mpgfix will suspend the computer in %1 seconds.").arg(seconds);
}

void WhenDone::notifyDesktop()
{
    // Gone when the countdown is over; Cancel is in the window, so the note has no actions.
    const QDBusMessage notify = DesktopCalls::notify(warning(choice_, secondsLeft()),
                                                     tr("Click Cancel in the mpgfix window to stop it."),
                                                     int(countdown_.count()));
    auto* call = new QDBusPendingCallWatcher(session_.asyncCall(notify, callTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
        const QDBusPendingReply<uint> id = *answer;
        noteId_ = id.isValid() ? id.value() : 0;
        // Cancelled before the server answered: the note goes now.
        if (!isCounting())
            closeNote();
        answer->deleteLater();
    });
}

void WhenDone::closeNote()
{
    if (noteId_ == 0)
        return;
    QDBusMessage close = DesktopCalls::notifications(QStringLiteral("CloseNotification"));
    close << std::exchange(noteId_, 0u);
    session_.send(close);
}

void WhenDone::act()
{
    tick_.stop();
    // Work that came without a word to this object still keeps the computer up.
    if (queue_ && queue_->hasWork()) {
        closeNote();
        emit countdownEnded();
        return;
    }
    const bool powerOff = choice_ == Choice::PowerOff;
    QDBusMessage call = DesktopCalls::logind(powerOff ? QStringLiteral("PowerOff") : QStringLiteral("Suspend"));
    // Not interactive: nobody may be at the desk to answer a password prompt.
    call << false;
    auto* pending = new QDBusPendingCallWatcher(system_.asyncCall(call, callTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, powerOff](QDBusPendingCallWatcher* answer) {
        if (answer->isError()) {
            const QString why = answer->error().message();
            emit refused(powerOff ? tr("The computer could not be powered off: %1").arg(why)
                                  : tr("The computer could not be suspended: %1").arg(why));
        }
        answer->deleteLater();
    });
    emit countdownEnded();
}
