#pragma once

#include "BatchIntake.h"
#include "DiscMaker.h"
#include "BatchOptions.h"
#include "BatchProgress.h"
#include "ConsoleStream.h"
#include "JobQueue.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <map>

// A batch run without a window: the files go through the same queue and jobs as the window's,
// starting while the folders and the list are still read, and each one's end is printed on
// standard output, as a line for people or as JSON; on a terminal a progress line stands below.
// A failure is reported and the next file starts. When a disc is asked for, its bitrate is
// fitted once every file is known and before any starts, and it is authored once every file is
// fixed. Needs QtCore only.
class BatchRun : public QObject {
    Q_OBJECT

public:
    // The exit statuses beside 128 + a signal: every file fixed or its output there already,
    // some file not, and an output folder or a list that cannot be used, as a usage mistake.
    static constexpr int allFixed = 0;
    static constexpr int someNotFixed = 1;
    static constexpr int unusable = 2;

    // `settings` are the defaults with the command line's laid over them.
    BatchRun(const BatchOptions& options, const JobSettings& settings, int filesAtOnce, std::FILE* out,
             std::FILE* err, bool terminal, QObject* parent = nullptr);
    ~BatchRun() override;

    // Checks the output folder and the list, then gathers and queues the files; done() follows
    // once the last one has ended and the disc is made, or the run was stopped.
    void start();
    // Any signal ends the run: the gathering stops, the running files are stopped, the waiting
    // never start, and the disc is not made.
    void interrupt(int signal);

signals:
    // The exit status: allFixed, someNotFixed, unusable, or 128 + the signal that interrupted
    // the run.
    void done(int status);

private:
    std::unique_ptr<Job> makeJob(const QString& path, const JobSettings& settings) const;
    void take(const QStringList& files, const QStringList& absent);
    void intakeFinished(const QString& failure);
    void fitted(const std::variant<qint64, QString>& videoKbps);
    void report(JobListModel::Id id, const JobOutcome& outcome);
    // The whole run's files: the queue's rounds end whenever it runs dry while the list is read.
    RoundTally tally() const;
    // Standard output, with the progress line out of the way.
    void print(const QString& text);
    // Standard output as it is; the first failed write is told on standard error.
    void write(const QString& text);
    void drawProgress();
    void clearProgress();
    // Goes on once nothing runs or is still to come: to the disc, else to the end.
    void step();
    void discAuthored(const std::optional<DiscFailure>& failure);
    // Prints the summary and ends the run.
    void conclude();
    // Ends the run before any file started, for `reason`.
    void refuse(const QString& reason, int status);

    BatchOptions options_;
    JobSettings settings_;
    ConsoleStream out_;
    ConsoleStream err_;
    bool terminal_;
    int interruptedBy_ = 0;
    bool intakeDone_ = false;
    bool fitting_ = false;
    bool authoring_ = false;
    bool discTried_ = false;
    // Something went wrong beside the files: the list or the disc.
    bool troubled_ = false;
    bool writeFailureTold_ = false;
    bool concluded_ = false;
    QElapsedTimer sinceStart_;
    QTimer progressTimer_;
    QString progressShown_;
    BatchProgress progress_;
    // The ended files of every round.
    RoundTally ended_;
    // Files that named nothing when they were read.
    QSet<QString> absent_;
    // The files found, while they wait for the disc's bitrate.
    QStringList forDisc_;
    // Each running file, and how long it has run.
    struct Started {
        QString path;
        QElapsedTimer clock;
    };
    std::map<JobListModel::Id, Started> running_;
    // The outputs of the done files, in the order the files were queued.
    std::map<JobListModel::Id, QString> outputs_;
    qint64 bytesWritten_ = 0;
    DiscMaker disc_;
    BatchIntake intake_;
    // Last, so that its jobs are stopped and joined while the rest still exists.
    JobQueue queue_;
};
