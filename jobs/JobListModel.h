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
    // Removes the rows of jobs that have ended.
    void clearFinished();

    // How far the batch under way, or else the last one, has come.
    struct BatchCount {
        int ended = 0;
        int total = 0;
        int failed = 0;
    };
    BatchCount batchCount() const { return batchCount_; }

    // The row of job `id`; invalid once it was removed.
    QModelIndex indexOf(Id id) const;
    // Whether `index` is the row of a job that runs.
    static bool isRunning(const QModelIndex& index);
    int waitingCount() const;
    // The waiting files, in the order they will start.
    QStringList waitingPaths() const;
    // "Waiting", "Transcoding 42%", "Done: old (2).mpg", "Failed: <reason>", ...
    static QString stateText(JobState state, double progress, const QString& output, const QString& reason);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // The queue ran dry: how many of the files received since it was last idle were fixed and
    // how many failed. Once per batch.
    void batchFinished(int fixed, int failed);
    // How far the batch has come (the mean of its files' progress), and how many files still wait.
    void batchProgressed(double fraction, int waiting);

private:
    struct Job {
        Id id;
        QString path;
        JobState state = JobState::Waiting;
        double progress = 0.0;
        QString output;
        QString reason;
    };

    std::optional<int> rowOf(Id id) const;
    // The row of `id` while its job runs.
    std::optional<int> runningRow(Id id) const;
    void changed(int row);
    void reportBatch();
    // Removes `rows` (any order, repeats allowed), each run of neighbours in one removal.
    void removeRows(const std::vector<int>& rows);

    std::vector<Job> jobs_;
    Id nextId_ = 1;
    // The running jobs, in the order they started.
    std::vector<Id> running_;
    // Whether files came in since the queue was last idle; how many of them have ended, and of
    // those how many were fixed and how many failed.
    bool inBatch_ = false;
    int batchEnded_ = 0;
    int batchFixed_ = 0;
    int batchFailed_ = 0;
    BatchCount batchCount_;
};
