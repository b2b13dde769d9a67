#pragma once

#include "JobListModel.h"
#include "JobSettings.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class FixJob;

// The files to fix, in arrival order: it owns the list's rows and runs one fix job at a time,
// starting the next waiting row when one ends. A failure holds the queue until it has been shown
// and dismissed, unless the job's settings say to go on. GUI thread only.
class JobQueue : public QObject {
    Q_OBJECT

public:
    // Read when a file's turn comes, so that each job works by the preferences of that moment.
    using SettingsSource = std::function<JobSettings()>;

    explicit JobQueue(SettingsSource settings, QObject* parent = nullptr);
    // Stops the running job and waits for it.
    ~JobQueue() override;

    JobListModel& model() { return model_; }
    // Waiting rows for `files`; the first starts at once when the queue is free.
    void add(const QStringList& files);
    // Stops the running file; the next waiting one starts.
    void cancelCurrent();
    // Takes the waiting rows among `rows` out of the queue: they will not be fixed.
    void removeWaiting(const QModelIndexList& rows);
    void clearFinished();
    // The failure raised last has been seen: the next file may start.
    void failureDismissed();
    // Stops the running file and starts no other.
    void stop();
    // While paused the running file goes on, but no other starts and no failure is raised; a
    // failure that came meanwhile is raised once the pause ends.
    void setPaused(bool paused);

    // A file is being fixed, or its failure waits to be dismissed.
    bool isBusy() const;
    // Busy, or files wait.
    bool hasWork() const;
    // The file being fixed, or whose failure is on show; empty when none is.
    QString currentPath() const;

signals:
    void jobStarted(const QString& path);
    void stageChanged(JobState stage, const QString& path);
    void progressed(double fraction);
    // The current file failed or was skipped; the queue waits for failureDismissed().
    void failureRaised(const JobOutcome& outcome);
    void jobEnded(const JobOutcome& outcome);
    // No file is being fixed and none waits: the work is done or was stopped.
    void idle();

private:
    void startNext();
    void jobFinished(const JobOutcome& outcome);
    void endCurrent(const JobOutcome& outcome);
    void raiseHeldFailure();

    SettingsSource settings_;
    JobListModel model_;
    std::unique_ptr<FixJob> job_;
    QString currentPath_;
    JobSettings currentSettings_;
    // The outcome whose failure is on show, or is to be once the pause ends; the queue holds
    // while there is one.
    std::optional<JobOutcome> held_;
    bool raised_ = false;
    bool paused_ = false;
    bool stopped_ = false;
};
