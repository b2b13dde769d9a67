#pragma once

#include "DiscMaker.h"
#include "BatchOptions.h"
#include "JobQueue.h"

#include <QElapsedTimer>
#include <QObject>

#include <cstdio>
#include <map>

// A batch run without a window: the files go through the same queue and jobs as the window's,
// and each one's end is printed on standard output, as a line for people or as JSON; on a
// terminal a progress line stands below. A failure is reported and the next file starts. When
// a disc is asked for, its bitrate is fitted before any file starts, and it is authored once
// every file is fixed. Needs QtCore only.
class BatchRun : public QObject {
    Q_OBJECT

public:
    // The exit statuses beside usage mistakes (2): every file fixed, or some not.
    static constexpr int allFixed = 0;
    static constexpr int someNotFixed = 1;

    // `settings` are the stored preferences with the command line's laid over them.
    BatchRun(const BatchOptions& options, const JobSettings& settings, int filesAtOnce, std::FILE* out,
             std::FILE* err, bool terminal, QObject* parent = nullptr);
    ~BatchRun() override;

    // Queues the files; done() follows once the last one has ended and the disc is made, or the
    // run was stopped.
    void start();
    // Any signal ends the run: the running files are stopped, the waiting never start, and the
    // disc is not made.
    void interrupt(int signal);

signals:
    // The exit status: allFixed, someNotFixed, or 128 + the signal that interrupted the run.
    void done(int status);

private:
    void report(JobListModel::Id id, const JobOutcome& outcome);
    void drawProgress(double fraction);
    void clearProgress();
    void finish();
    void discAuthored(const std::optional<DiscFailure>& failure);
    // Prints the summary and ends the run with `status`.
    void conclude(int status);
    // Ends the run before anything started, for `reason`.
    void refuse(const QString& reason);

    BatchOptions options_;
    JobSettings settings_;
    std::FILE* out_;
    std::FILE* err_;
    bool terminal_;
    int interruptedBy_ = 0;
    bool progressShown_ = false;
    bool finished_ = false;
    QElapsedTimer sinceDrawn_;
    // Each running file, and how long it has run.
    struct Started {
        QString path;
        QElapsedTimer clock;
    };
    std::map<JobListModel::Id, Started> running_;
    // The outputs of the done files, in the order the files were queued.
    std::map<JobListModel::Id, QString> outputs_;
    bool authoring_ = false;
    DiscMaker disc_;
    // Last, so that its jobs are stopped and joined while the rest still exists.
    JobQueue queue_;
};
