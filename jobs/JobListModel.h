#pragma once

#include "JobOutcome.h"

#include <QAbstractListModel>

#include <optional>
#include <vector>

// Every file received since launch, one row each in arrival order, with where its job stands.
// The job queue owns it and runs the jobs in its order; the window shows it. GUI thread only.
class JobListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using Id = quint64;
    enum Role {
        IdRole = Qt::UserRole + 1,
        PathRole,
        StateRole,
        ProgressRole,
        OutputRole,
        ReasonRole,
        MadeRole,
        // What stateText() says of the row.
        StateTextRole,
    };

    explicit JobListModel(QObject* parent = nullptr);

    // Waiting rows for `paths`, in one insertion: the first one's id, the others' following it.
    Id add(const QStringList& paths);
    // The first waiting row; nothing when none waits.
    std::optional<Id> nextWaiting() const;
    // Makes the waiting job `id` a running one and returns its path; nothing when it was
    // removed before its turn came. Several may run at once.
    std::optional<QString> start(Id id);
    // A running job's stage and progress (0..1).
    void setStage(Id id, JobState stage);
    void setProgress(Id id, double fraction);
    // The running job `id` ended; the row keeps how.
    void finish(Id id, const JobOutcome& outcome);

    // Takes the waiting rows among `rows` out of the queue; others stay.
    void removeWaiting(const QModelIndexList& rows);
    // Takes the rows among `rows` whose job does not run out of the list.
    void removeNotRunning(const QModelIndexList& rows);
    // Makes the rows among `rows` that failed, were skipped or cancelled waiting ones again, in
    // their place; what they ended as, in that order.
    std::vector<JobOutcome> retry(const QModelIndexList& rows);
    // Removes the rows of jobs that have ended.
    void clearFinished();

    // The row of job `id`; invalid once it was removed.
    QModelIndex indexOf(Id id) const;
    // Whether `index` is the row of a job that runs.
    static bool isRunning(const QModelIndex& index);
    int waitingCount() const;
    // The waiting files, in the order they will start.
    QStringList waitingPaths() const;
    // "Waiting", "Transcoding 42%", "re-encoded: old (2).mpg", "Failed: <reason>", ...; `ended`
    // is read once the job has ended.
    static QString stateText(JobState state, double progress, const JobOutcome& ended);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Job {
        Id id;
        QString path;
        JobState state = JobState::Waiting;
        double progress = 0.0;
        JobOutcome ended;
    };

    std::optional<int> rowOf(Id id) const;
    // The row of `id` while its job runs.
    std::optional<int> runningRow(Id id) const;
    void changed(int row);
    // The rows among `rows` whose job is in a state that `which` accepts, once each.
    std::vector<int> rowsWhere(const QModelIndexList& rows, bool (*which)(JobState)) const;
    // Removes `rows` (any order, repeats allowed), each run of neighbours in one removal.
    void removeRows(const std::vector<int>& rows);

    // In the order of their ids.
    std::vector<Job> jobs_;
    Id nextId_ = 1;
    int waiting_ = 0;
    // No row before the one of this id waits, so that finding the next waiting one does not
    // look through every ended file again.
    mutable Id waitingFrom_ = 0;
};
