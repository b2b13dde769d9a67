#pragma once

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

class JobQueue;

// What happens once the queue's round of files is over: nothing, quit, or suspend or power off
// through logind after a countdown that the desktop is told of and that may be cancelled. The
// choice lasts as long as the app runs. Calls to logind and the desktop wait for no answer.
// Whether logind lets this user suspend and power off is asked once, at construction.
class WhenDone : public QObject {
    Q_OBJECT

public:
    enum class Choice { Nothing, Quit, Suspend, PowerOff };

    explicit WhenDone(const QDBusConnection& system = QDBusConnection::systemBus(),
                      const QDBusConnection& session = QDBusConnection::sessionBus(),
                      std::chrono::milliseconds countdown = std::chrono::seconds(30), QObject* parent = nullptr);

    // Acts when the queue's round finishes; new work or a file that starts meanwhile cancels the
    // countdown, and work found when it runs out cancels the action.
    void follow(JobQueue& queue);
    Choice choice() const { return choice_; }
    // A new choice cancels a running countdown.
    void setChoice(Choice choice);
    void roundFinished();
    void cancel();
    bool isCounting() const { return end_.isActive(); }
    int secondsLeft() const;
    // "mpgfix will suspend the computer in 30 seconds."
    static QString warning(Choice choice, int seconds);

signals:
    void quitRequested();
    void countdownStarted(Choice choice);
    void countdownTicked(int secondsLeft);
    // Cancelled, or the computer was asked to suspend or power off.
    void countdownEnded();
    // logind's answer for Suspend or PowerOff: empty `whyNot` when it may be done without a
    // password, else the reason why not.
    void allowed(WhenDone::Choice choice, const QString& whyNot);
    // logind refused to suspend or power off, as `message` says.
    void refused(const QString& message);

private:
    void notifyDesktop();
    // Takes the countdown's notification off the desktop once the server has said its id.
    void closeNote();
    void act();
    void askAllowed(Choice choice);

    QDBusConnection system_, session_;
    QPointer<JobQueue> queue_;
    std::chrono::milliseconds countdown_;
    Choice choice_ = Choice::Nothing;
    QTimer end_, tick_;
    QDeadlineTimer deadline_;
    uint noteId_ = 0;
};
