#include "JobQueue.h"

#include "FixJob.h"


JobQueue::JobQueue(SettingsSource settings, QObject* parent) : QObject(parent), settings_(std::move(settings)) {}

JobQueue::~JobQueue() { stop(); }

void JobQueue::add(const QStringList& files)
{
    for (const QString& file : files)
        model_.add(file);
    startNext();
}

void JobQueue::cancelCurrent()
{
    if (job_)
        job_->requestStop();
}

void JobQueue::removeWaiting(const QModelIndexList& rows) { model_.removeWaiting(rows); }

void JobQueue::clearFinished() { model_.clearFinished(); }

void JobQueue::failureDismissed()
{
    if (!held_ || !raised_)
        return;
    const JobOutcome outcome = *std::exchange(held_, std::nullopt);
    endCurrent(outcome);
}

void JobQueue::stop()
{
    stopped_ = true;
    if (job_)
        job_->requestStop();
}

void JobQueue::setPaused(bool paused)
{
    paused_ = paused;
    if (paused_)
        return;
    raiseHeldFailure();
    startNext();
}

bool JobQueue::isBusy() const { return job_ || held_; }

bool JobQueue::hasWork() const { return isBusy() || model_.nextWaiting(); }

QString JobQueue::currentPath() const { return currentPath_; }

void JobQueue::startNext()
{
    if (stopped_ || paused_ || isBusy())
        return;
    const std::optional<JobListModel::Id> next = model_.nextWaiting();
    if (!next) {
        emit idle();
        return;
    }
    currentPath_ = model_.start(*next).value_or(QString());
    currentSettings_ = settings_();
    job_ = std::make_unique<FixJob>(currentPath_, currentSettings_);
    connect(job_.get(), &FixJob::stageChanged, this, [this](JobState stage) {
        model_.setStage(stage);
        emit stageChanged(stage, currentPath_);
    });
    connect(job_.get(), &FixJob::progressed, this, [this](double fraction) {
        model_.setProgress(fraction);
        emit progressed(fraction);
    });
    connect(job_.get(), &FixJob::finished, this, &JobQueue::jobFinished);
    emit jobStarted(currentPath_);
    job_->start();
}

void JobQueue::jobFinished(const JobOutcome& outcome)
{
    job_.reset();
    model_.finish(outcome);
    const bool shown = outcome.state == JobState::Failed || outcome.state == JobState::Skipped;
    if (shown && !stopped_ && currentSettings_.waitOnFailure) {
        held_ = outcome;
        raised_ = false;
        raiseHeldFailure();
        return;
    }
    endCurrent(outcome);
}

void JobQueue::raiseHeldFailure()
{
    if (!held_ || raised_ || paused_)
        return;
    raised_ = true;
    emit failureRaised(*held_);
}

void JobQueue::endCurrent(const JobOutcome& outcome)
{
    currentPath_.clear();
    emit jobEnded(outcome);
    startNext();
    if (stopped_ && !isBusy())
        emit idle();
}
