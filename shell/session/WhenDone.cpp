#include "WhenDone.h"

#include "DesktopCalls.h"
#include "JobQueue.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// A notification server answers at once; this only bounds one that has stopped answering.
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
}

void WhenDone::follow(JobQueue& queue)
{
    connect(&queue, &JobQueue::roundFinished, this, &WhenDone::roundFinished);
    // New work: the computer has to stay up for it.
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
    const QString method = choice_ == Choice::PowerOff ? QStringLiteral("PowerOff") : QStringLiteral("Suspend");
    QDBusMessage call = DesktopCalls::logind(method);
    // Not interactive: nobody may be at the desk to answer a password prompt.
    call << false;
    system_.send(call);
    emit countdownEnded();
}
