#pragma once

#include "JobOutcome.h"

#include <QObject>
#include <QString>

// One file's work as the queue runs it. start() returns at once and the work reports by
// signals, finished() last; it never comes from within start() or requestStop(). The app's jobs
// are FixJobs; the queue's scheduling is the same for any job.
class Job : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Once only.
    virtual void start() = 0;
    // Any thread: ends the work soon; the job then finishes as cancelled.
    virtual void requestStop() = 0;

signals:
    // Copying or Transcoding, once the job knows which; it starts in Analyzing.
    void stageChanged(JobState stage);
    // 0..1 of the copy or transcode; 1.0 once the output has its name.
    void progressed(double fraction);
    // The input's seconds of media, once its probe found them.
    void lengthKnown(double seconds);
    // The hidden file the output is written to until it is complete.
    void outputCreated(const QString& temporaryPath);
    // The last signal of the job.
    void finished(const JobOutcome& outcome);
};
