#include "JobListModel.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

bool runs(JobState state) { return state > JobState::Waiting && !hasEnded(state); }

template <typename Job>
bool waits(const Job& job)
{
    return job.state == JobState::Waiting;
}

} // namespace

JobListModel::JobListModel(QObject* parent) : QAbstractListModel(parent) {}

JobListModel::Id JobListModel::add(const QStringList& paths)
{
    const Id first = nextId_;
    if (paths.isEmpty())
        return first;
    const int row = int(jobs_.size());
    beginInsertRows({}, row, row + int(paths.size()) - 1);
    for (const QString& path : paths)
        jobs_.push_back({nextId_++, path, JobState::Waiting, 0.0, {}});
    waiting_ += int(paths.size());
    endInsertRows();
    return first;
}

std::optional<JobListModel::Id> JobListModel::nextWaiting() const
{
    // No row before the last one found waits: new rows come last, and a retried row moves the
    // mark back to itself.
    const auto from = std::lower_bound(jobs_.begin(), jobs_.end(), waitingFrom_,
                                       [](const Job& job, Id id) { return job.id < id; });
    const auto found = std::find_if(from, jobs_.end(), waits<Job>);
    waitingFrom_ = found == jobs_.end() ? nextId_ : found->id;
    return found == jobs_.end() ? std::nullopt : std::optional(found->id);
}

std::optional<QString> JobListModel::start(Id id)
{
    const std::optional<int> row = rowOf(id);
    if (!row || jobs_[*row].state != JobState::Waiting)
        return std::nullopt;
    jobs_[*row].state = JobState::Analyzing;
    --waiting_;
    changed(*row);
    return jobs_[*row].path;
}

void JobListModel::setStage(Id id, JobState stage)
{
    if (const auto row = runningRow(id)) {
        jobs_[*row].state = stage;
        changed(*row);
    }
}

void JobListModel::setProgress(Id id, double fraction)
{
    if (const auto row = runningRow(id)) {
        jobs_[*row].progress = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
        changed(*row);
    }
}

void JobListModel::finish(Id id, const JobOutcome& outcome)
{
    const auto row = runningRow(id);
    if (!row)
        return;
    jobs_[*row].state = outcome.state;
    jobs_[*row].ended = outcome;
    changed(*row);
}

std::vector<int> JobListModel::rowsWhere(const QModelIndexList& rows, bool (*which)(JobState)) const
{
    std::vector<int> found;
    for (const QModelIndex& index : rows)
        if (checkIndex(index, CheckIndexOption::IndexIsValid) && which(jobs_[index.row()].state))
            found.push_back(index.row());
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void JobListModel::removeWaiting(const QModelIndexList& rows)
{
    removeRows(rowsWhere(rows, [](JobState state) { return state == JobState::Waiting; }));
}

void JobListModel::removeNotRunning(const QModelIndexList& rows)
{
    removeRows(rowsWhere(rows, [](JobState state) { return !runs(state); }));
}

std::vector<JobOutcome> JobListModel::retry(const QModelIndexList& rows)
{
    std::vector<JobOutcome> ended;
    for (const int row : rowsWhere(rows, [](JobState state) { return hasEnded(state) && state != JobState::Done; })) {
        ended.push_back(std::exchange(jobs_[row].ended, {}));
        jobs_[row].state = JobState::Waiting;
        jobs_[row].progress = 0.0;
        ++waiting_;
        waitingFrom_ = std::min(waitingFrom_, jobs_[row].id);
        changed(row);
    }
    return ended;
}

void JobListModel::clearFinished()
{
    std::vector<int> ended;
    for (int row = 0; row < int(jobs_.size()); ++row)
        if (hasEnded(jobs_[row].state))
            ended.push_back(row);
    removeRows(ended);
}

void JobListModel::removeRows(const std::vector<int>& rows)
{
    std::vector<int> descending = rows;
    std::sort(descending.begin(), descending.end(), std::greater<>());
    descending.erase(std::unique(descending.begin(), descending.end()), descending.end());
    // From the bottom up, so that the rows still to go keep their numbers.
    for (auto last = descending.begin(); last != descending.end();) {
        auto first = last;
        while (std::next(first) != descending.end() && *std::next(first) == *first - 1)
            ++first;
        beginRemoveRows({}, *first, *last);
        waiting_ -= int(std::count_if(jobs_.begin() + *first, jobs_.begin() + *last + 1, waits<Job>));
        jobs_.erase(jobs_.begin() + *first, jobs_.begin() + *last + 1);
        endRemoveRows();
        last = std::next(first);
    }
}

QModelIndex JobListModel::indexOf(Id id) const
{
    const auto row = rowOf(id);
    return row ? index(*row) : QModelIndex();
}

bool JobListModel::isRunning(const QModelIndex& index)
{
    return index.isValid() && runs(JobState(index.data(StateRole).toInt()));
}

int JobListModel::waitingCount() const
{
    return waiting_;
}

QStringList JobListModel::waitingPaths() const
{
    QStringList paths;
    for (const Job& job : jobs_)
        if (job.state == JobState::Waiting)
            paths << job.path;
    return paths;
}

QString JobListModel::stateText(JobState state, double progress, const JobOutcome& ended)
{
    // Whole percents reached, as the progress bar counts them.
    const QString percent = QString::number(int(progress * 100));
    switch (state) {
    case JobState::Waiting:
        return tr("Waiting");
    case JobState::Analyzing:
        return tr("Analyzing");
    case JobState::Copying:
        return tr("Copying");
    case JobState::Transcoding:
        return tr("Transcoding %1%").arg(percent);
    case JobState::Done:
        // How: the user may wonder why one file took no time and another an hour.
        return tr("%1: %2").arg(madeText(ended), QFileInfo(ended.output).fileName());
    case JobState::Failed:
        return tr("Failed: %1").arg(ended.reason);
    case JobState::Skipped:
        return tr("Skipped: %1").arg(ended.reason);
    case JobState::Cancelled:
        return tr("Cancelled");
    }
    return {};
}

int JobListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(jobs_.size()); }

QVariant JobListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Job& job = jobs_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return tr("%1 \u2014 %2").arg(QFileInfo(job.path).fileName(), stateText(job.state, job.progress, job.ended));
    case StateTextRole:
        return stateText(job.state, job.progress, job.ended);
    case Qt::ToolTipRole:
        return job.ended.reason.isEmpty() ? job.path : tr("%1\n%2").arg(job.path, job.ended.reason);
    case IdRole:
        return job.id;
    case PathRole:
        return job.path;
    case StateRole:
        return QVariant::fromValue(int(job.state));
    case ProgressRole:
        return job.progress;
    case OutputRole:
        return job.ended.output;
    case ReasonRole:
        return job.ended.reason;
    case MadeRole:
        return QVariant::fromValue(int(job.ended.made));
    }
    return {};
}

std::optional<int> JobListModel::runningRow(Id id) const
{
    const std::optional<int> row = rowOf(id);
    return row && runs(jobs_[*row].state) ? row : std::nullopt;
}

std::optional<int> JobListModel::rowOf(Id id) const
{
    // The rows are in the order of their ids.
    const auto found = std::lower_bound(jobs_.begin(), jobs_.end(), id, [](const Job& job, Id wanted) { return job.id < wanted; });
    if (found == jobs_.end() || found->id != id)
        return std::nullopt;
    return int(found - jobs_.begin());
}

void JobListModel::changed(int row)
{
    const QModelIndex at = index(row);
    emit dataChanged(at, at);
}
