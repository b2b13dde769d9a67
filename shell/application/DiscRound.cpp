#include "DiscRound.h"

#include <QFileInfo>

#include <cstring>

DiscRound::DiscRound(JobQueue& queue, const DiscOptions& options, QObject* parent)
    : QObject(parent), queue_(&queue), maker_(options)
{
    connect(queue_, &JobQueue::jobEnded, this, &DiscRound::fileEnded);
    connect(queue_, &JobQueue::pendingChanged, this, &DiscRound::checkRemoved);
    connect(&maker_, &DiscMaker::progressed, this, &DiscRound::authoringProgressed);
    connect(&maker_, &DiscMaker::authored, this, &DiscRound::finish);
    streams_.emplace(options.folder, options.title);
}

DiscRound::~DiscRound()
{
    if (held_ && queue_)
        queue_->releaseRound();
}

void DiscRound::start(const QStringList& files, JobSettings settings)
{
    queue_->holdRound();
    held_ = true;
    if (const int error = streams_->creationError()) {
        const QString reason = QString::fromLocal8Bit(std::strerror(error));
        return finish(DiscFailure{DiscFailure::Kind::FileError, tr("No folder for the disc's files: %1").arg(reason)});
    }
    settings.output.dvd = true;
    settings.folder = streams_->path();
    // Two sources may share a name; both go on the disc.
    settings.nameTaken = NameTaken::KeepBoth;
    const JobListModel::Id first = queue_->add(files, settings);
    for (qsizetype i = 0; i < files.size(); ++i)
        pending_[first + JobListModel::Id(i)] = files[i];
}

void DiscRound::cancel()
{
    if (stage_ != Stage::Fixing)
        return maker_.requestStop();
    giveUp({DiscFailure::Kind::Stopped, {}});
    authorIfAllFixed();
}

void DiscRound::fileEnded(JobListModel::Id id, const JobOutcome& outcome)
{
    const auto found = pending_.find(id);
    if (found == pending_.end())
        return;
    const QString name = QFileInfo(found->second).fileName();
    pending_.erase(found);
    if (outcome.state == JobState::Done)
        fixed_[id] = outcome.output;
    else if (outcome.state == JobState::Cancelled)
        giveUp({DiscFailure::Kind::Stopped, {}});
    else
        giveUp({DiscFailure::Kind::Refused, tr("%1 could not be fixed: %2").arg(name, outcome.reason)});
    authorIfAllFixed();
}

void DiscRound::checkRemoved()
{
    for (const auto& [id, path] : pending_)
        if (!queue_->model().indexOf(id).isValid()) {
            pending_.erase(id);
            giveUp({DiscFailure::Kind::Stopped, {}});
            return authorIfAllFixed();
        }
}

void DiscRound::giveUp(const DiscFailure& failure)
{
    if (failure_)
        return;
    failure_ = failure;
    QModelIndexList waiting;
    for (const auto& [id, path] : pending_) {
        queue_->cancel(id);
        waiting << queue_->model().indexOf(id);
    }
    // Removing rows tells of it at once: only the running ones stay pending.
    const std::map<JobListModel::Id, QString> before = std::exchange(pending_, {});
    queue_->removeWaiting(waiting);
    for (const auto& [id, path] : before)
        if (queue_->model().indexOf(id).isValid())
            pending_[id] = path;
}

void DiscRound::authorIfAllFixed()
{
    if (!pending_.empty() || stage_ != Stage::Fixing)
        return;
    if (failure_)
        return finish(failure_);
    QStringList programStreams;
    for (const auto& [id, output] : fixed_)
        programStreams << output;
    stage_ = Stage::Authoring;
    // Started first, so that a stop asked for on hearing of it reaches it.
    maker_.author(programStreams);
    emit stageChanged(stage_);
}

void DiscRound::authoringProgressed(DvdAuthoring::Stage stage, double fraction)
{
    const Stage now = stage == DvdAuthoring::Stage::Imaging ? Stage::Imaging : Stage::Authoring;
    if (std::exchange(stage_, now) != now)
        emit stageChanged(now);
    emit progressed(fraction);
}

void DiscRound::finish(const std::optional<DiscFailure>& failure)
{
    if (!held_)
        return;
    streams_.reset();
    emit finished(failure);
    if (std::exchange(held_, false) && queue_)
        queue_->releaseRound();
}
