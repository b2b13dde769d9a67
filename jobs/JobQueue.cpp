#include "JobQueue.h"

#include "FixJob.h"

#include <algorithm>

JobQueue::JobQueue(SettingsSource settings, JobFactory makeJob, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), makeJob_(std::move(makeJob))
{
}

std::unique_ptr<Job> JobQueue::makeFixJob(const QString& path, const JobSettings& settings)
{
    return std::make_unique<FixJob>(path, settings);
}

JobQueue::~JobQueue() { stop(); }

JobListModel::Id JobQueue::add(const QStringList& files, const std::optional<JobSettings>& settings)
{
    JobListModel::Id first = 0;
    // No files still lets a queue without work say that it is idle.
    if (!files.isEmpty()) {
        beginRound();
        first = model_.add(files);
        if (settings)
            for (JobListModel::Id id = first; id < first + JobListModel::Id(files.size()); ++id)
                ownSettings_[id] = *settings;
        reportRound();
        emit pendingChanged();
        emit workArrived();
    }
    startNext();
    return first;
}

void JobQueue::holdRound()
{
    if (roundHolds_++ == 0) {
        beginRound();
        emit workArrived();
    }
}

void JobQueue::releaseRound()
{
    if (roundHolds_ == 0 || --roundHolds_ > 0)
        return;
    reportRound();
    startNext();
}

void JobQueue::setScanning(bool scanning)
{
    if (scanning == std::exchange(scanning_, scanning))
        return;
    if (scanning) {
        beginRound();
        emit workArrived();
    }
    reportRound();
    startNext();
}

void JobQueue::beginRound()
{
    if (!std::exchange(inRound_, true))
        round_ = {};
}

void JobQueue::setMaxRunning(int count)
{
    maxRunning_ = std::max(count, 1);
    if (!running_.empty())
        startNext();
}

void JobQueue::cancel(JobListModel::Id id)
{
    const auto found = std::find_if(running_.begin(), running_.end(), [id](const Running& r) { return r.id == id; });
    if (found != running_.end())
        found->job->requestStop();
}

void JobQueue::cancelCurrent()
{
    if (!running_.empty())
        running_.front().job->requestStop();
}

void JobQueue::removeWaiting(const QModelIndexList& rows)
{
    model_.removeWaiting(rows);
    std::erase_if(ownSettings_, [this](const auto& own) { return !model_.indexOf(own.first).isValid(); });
    reportRound();
    emit pendingChanged();
}

void JobQueue::remove(const QModelIndexList& rows)
{
    model_.removeNotRunning(rows);
    reportRound();
    emit pendingChanged();
}

void JobQueue::retry(const QModelIndexList& rows)
{
    const bool sameRound = inRound_;
    const std::vector<JobOutcome> ended = model_.retry(rows);
    if (ended.empty())
        return;
    // Within the round they ended in they count once, as what they end as now.
    if (sameRound)
        for (const JobOutcome& outcome : ended)
            round_.count(outcome, -1);
    else
        round_ = {};
    inRound_ = true;
    reportRound();
    emit pendingChanged();
    emit workArrived();
    startNext();
}

std::vector<JobQueue::Pending> JobQueue::pending() const
{
    std::vector<Pending> files;
    for (const Running& r : running_)
        files.push_back({r.path, r.temporaryOutput});
    for (const QString& path : model_.waitingPaths())
        files.push_back({path, {}});
    return files;
}

void JobQueue::clearFinished() { model_.clearFinished(); }

void JobQueue::failureDismissed()
{
    if (held_.empty() || !raised_)
        return;
    held_.pop_front();
    raised_ = false;
    emit failureCleared();
    raiseHeldFailure();
    startNext();
}

void JobQueue::stop()
{
    stopped_ = true;
    for (const Running& r : running_)
        r.job->requestStop();
}

void JobQueue::setPaused(bool paused)
{
    paused_ = paused;
    if (paused_)
        return;
    raiseHeldFailure();
    startNext();
}

bool JobQueue::hasWork() const { return isBusy() || moreToCome() || model_.nextWaiting(); }

bool JobQueue::isBusy() const { return !running_.empty() || !held_.empty(); }

bool JobQueue::moreToCome() const { return scanning_ || roundHolds_ > 0; }

std::vector<JobListModel::Id> JobQueue::running() const
{
    std::vector<JobListModel::Id> ids;
    for (const Running& r : running_)
        ids.push_back(r.id);
    return ids;
}

RoundTally JobQueue::tally() const
{
    RoundTally tally = round_;
    tally.running = int(running_.size());
    tally.waiting = model_.waitingCount();
    return tally;
}

QString JobQueue::currentPath() const
{
    if (!running_.empty())
        return running_.front().path;
    return held_.empty() ? QString() : held_.front().path;
}

void JobQueue::startNext()
{
    // Strictly in arrival order: a failure on show holds every later file, also one that a
    // free slot could take.
    while (!stopped_ && !paused_ && held_.empty() && int(running_.size()) < maxRunning_) {
        const std::optional<JobListModel::Id> next = model_.nextWaiting();
        if (!next)
            break;
        startJob(*next);
    }
    if (!isBusy() && (stopped_ || (!moreToCome() && !model_.nextWaiting())))
        emit idle();
}

void JobQueue::startJob(JobListModel::Id id)
{
    const QString path = model_.start(id).value_or(QString());
    const auto own = ownSettings_.extract(id);
    const JobSettings settings = own ? own.mapped() : settings_();
    running_.push_back({id, path, makeJob_(path, settings), settings.waitOnFailure, {}});
    Job* job = running_.back().job.get();
    connect(job, &Job::stageChanged, this, [this, id, path](JobState stage) {
        model_.setStage(id, stage);
        emit stageChanged(stage, path, id);
    });
    connect(job, &Job::progressed, this, [this, id](double fraction) {
        model_.setProgress(id, fraction);
        reportRound();
        emit progressed(fraction, id);
    });
    connect(job, &Job::lengthKnown, this, [this, id](double seconds) { emit lengthKnown(seconds, id); });
    connect(job, &Job::outputCreated, this, [this, id](const QString& temporaryPath) {
        for (Running& r : running_)
            if (r.id == id)
                r.temporaryOutput = temporaryPath;
        emit pendingChanged();
    });
    connect(job, &Job::finished, this, [this, id](const JobOutcome& outcome) { jobFinished(id, outcome); });
    emit jobStarted(path, id);
    job->start();
}

void JobQueue::jobFinished(JobListModel::Id id, const JobOutcome& outcome)
{
    const auto found = std::find_if(running_.begin(), running_.end(), [id](const Running& r) { return r.id == id; });
    if (found == running_.end())
        return;
    const bool shown = outcome.state == JobState::Failed || outcome.state == JobState::Skipped;
    const bool hold = shown && !stopped_ && found->waitOnFailure;
    // Held before anyone hears of the end, so that the queue is busy as long as it is on show.
    if (hold)
        held_.push_back({found->path, outcome});
    // Its thread has ended: finished is the last thing it sends.
    running_.erase(found);
    model_.finish(id, outcome);
    round_.count(outcome);
    emit pendingChanged();
    emit jobEnded(id, outcome);
    reportRound();
    if (hold)
        raiseHeldFailure();
    else
        startNext();
}

void JobQueue::raiseHeldFailure()
{
    if (held_.empty() || raised_ || paused_)
        return;
    raised_ = true;
    emit failureRaised(held_.front().outcome, held_.front().path);
}

void JobQueue::reportRound()
{
    if (!inRound_)
        return;
    const RoundTally now = tally();
    if (now.running + now.waiting == 0 && !moreToCome()) {
        inRound_ = false;
        emit roundProgressed(1.0);
        emit roundFinished(now);
        return;
    }
    double done = now.ended();
    for (const Running& r : running_)
        done += model_.indexOf(r.id).data(JobListModel::ProgressRole).toDouble();
    // A scan that has found nothing yet: the round has not got anywhere.
    emit roundProgressed(now.total() > 0 ? done / now.total() : 0.0);
}
