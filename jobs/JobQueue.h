#pragma once

#include "Job.h"
#include "JobListModel.h"
#include "JobSettings.h"
#include "RoundTally.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The files to fix, in arrival order: it owns the list's rows and runs a job for each, as many at
// once as setMaxRunning() allows, starting the next waiting row when one ends. A failure holds
// the queue until it has been shown and dismissed, unless the job's settings say to go on: no
// file starts meanwhile, and the running ones go on. It keeps the tally of the round under way,
// or else of the last one. GUI thread only.
class JobQueue : public QObject {
    Q_OBJECT

public:
    // Read when a file's turn comes, so that each job works by the preferences of that moment.
    using SettingsSource = std::function<JobSettings()>;
    // Makes the job for a file whose turn has come.
    using JobFactory = std::function<std::unique_ptr<Job>(const QString& path, const JobSettings& settings)>;

    // The app's jobs: a FixJob for each file.
    static std::unique_ptr<Job> makeFixJob(const QString& path, const JobSettings& settings);

    explicit JobQueue(SettingsSource settings, JobFactory makeJob = &JobQueue::makeFixJob, QObject* parent = nullptr);
    // Stops the running job and waits for it.
    ~JobQueue() override;

    JobListModel& model() { return model_; }
    // Waiting rows for `files`; the first starts at once when the queue is free. With `settings`,
    // these files are fixed by them rather than by the source's. Returns the first row's id, the
    // others' following it.
    JobListModel::Id add(const QStringList& files, const std::optional<JobSettings>& settings = std::nullopt);
    // How many files are fixed at once, at least 1; raising it starts waiting files at once.
    void setMaxRunning(int count);
    // Stops the running file `id`; the next waiting one starts. Nothing when it does not run.
    void cancel(JobListModel::Id id);
    // Stops the running file that started first.
    void cancelCurrent();
    // Takes the waiting rows among `rows` out of the queue: they will not be fixed.
    void removeWaiting(const QModelIndexList& rows);
    // Takes the rows among `rows` that do not run out of the list.
    void remove(const QModelIndexList& rows);
    // Queues the files among `rows` that failed, were skipped or cancelled again, in their place
    // in the list: they come before the files waiting below them.
    void retry(const QModelIndexList& rows);
    void clearFinished();
    // The failure raised last has been seen: the next file may start.
    void failureDismissed();
    // Stops the running files and starts no other.
    void stop();
    // Work done beside the files, such as a disc made of them, keeps the round open until its
    // release, as a scan does: the queue has work, is not idle, and its round does not finish.
    // Holds nest.
    void holdRound();
    void releaseRound();
    // While paused the running files go on, but no other starts and no failure is raised; a
    // failure that came meanwhile is raised once the pause ends.
    void setPaused(bool paused);
    // More files may still come, from a folder being scanned: until they have all come, the
    // round goes on and the queue is not idle, even with no file running or waiting.
    void setScanning(bool scanning);

    // A file is being fixed, or its failure waits to be dismissed.
    bool isBusy() const;
    // A scan may still add files, or the round is held.
    bool moreToCome() const;
    bool isScanning() const { return scanning_; }
    // Busy, files wait, or more may still come.
    bool hasWork() const;
    // The running files, in the order they started.
    std::vector<JobListModel::Id> running() const;
    // A file still to fix: a running one, with the hidden file its output goes to, or a waiting one.
    struct Pending {
        QString path;
        QString temporaryOutput;
        bool operator==(const Pending&) const = default;
    };
    // The running files in the order they started, then the waiting ones in theirs.
    std::vector<Pending> pending() const;
    // The file that started first of those running, else the one whose failure is on show; empty
    // when none is.
    QString currentPath() const;
    // What became of the files of the round under way, or else of the last one.
    RoundTally tally() const;

signals:
    // Files were added, or a scan began that may add some.
    void workArrived();
    void jobStarted(const QString& path, JobListModel::Id id);
    void stageChanged(JobState stage, const QString& path, JobListModel::Id id);
    // The progress of one running file.
    void progressed(double fraction, JobListModel::Id id);
    // The seconds of media of a running file, once its probe found them.
    void lengthKnown(double seconds, JobListModel::Id id);
    // The file `id` ended as its row now shows, its failure not yet raised; once for each file
    // that started.
    void jobEnded(JobListModel::Id id, const JobOutcome& outcome);
    // The file at `path` failed or was skipped; no file starts until failureDismissed(). Failures
    // that come meanwhile are raised one after the other, each once the one before was dismissed.
    void failureRaised(const JobOutcome& outcome, const QString& path);
    // The failure on show was dismissed.
    void failureCleared();
    // How far the round has come: its ended files whole, the running ones as far as they are.
    void roundProgressed(double fraction);
    // None of the round's files runs or waits any more and no more may come; its last failure
    // may still be on show.
    void roundFinished(const RoundTally& tally);
    // No file is being fixed, none waits and no more may come: the work is done or was stopped.
    void idle();
    // What pending() holds has changed.
    void pendingChanged();

private:
    struct Running {
        JobListModel::Id id;
        QString path;
        std::unique_ptr<Job> job;
        bool waitOnFailure;
        QString temporaryOutput;
    };
    struct Held {
        QString path;
        JobOutcome outcome;
    };

    void startNext();
    void startJob(JobListModel::Id id);
    void jobFinished(JobListModel::Id id, const JobOutcome& outcome);
    void raiseHeldFailure();
    // Files came, or may come: a round begins unless one is under way.
    void beginRound();
    void reportRound();

    SettingsSource settings_;
    JobFactory makeJob_;
    JobListModel model_;
    int maxRunning_ = 1;
    // Failures to show, the first on show; the queue holds while there are any.
    std::deque<Held> held_;
    // Whether the first held failure has been raised.
    bool raised_ = false;
    bool paused_ = false;
    bool stopped_ = false;
    bool scanning_ = false;
    int roundHolds_ = 0;
    // The settings of the rows added with their own, until they start or go.
    std::map<JobListModel::Id, JobSettings> ownSettings_;
    // Whether files came in since none was running or waiting.
    bool inRound_ = false;
    // The round's ended files; tally() adds the running and waiting ones.
    RoundTally round_;
    // Last, so that their threads are joined before the rest goes.
    std::vector<Running> running_;
};
