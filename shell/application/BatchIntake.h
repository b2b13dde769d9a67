#pragma once

#include "UniqueFd.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <mutex>
#include <optional>
#include <thread>

// The files of a batch run, gathered on a thread of their own so that the run hears an
// interrupt at once however large a folder or long a list is: the files and folders named on
// the command line, then those named in a list (a file or standard input, one name a line or
// NUL-ended), each folder standing for the video files inside it. The files come through
// found() a few at a time as they are found, in order; a folder's walk never enters the output
// folder. QtCore only.
class BatchIntake : public QObject {
    Q_OBJECT

public:
    BatchIntake(const QStringList& paths, const QString& outputFolder, QObject* parent = nullptr);
    // Stops the gathering and waits for its thread.
    ~BatchIntake() override = default;

    // Reads the list `list` ("-" for standard input) after the paths; why it cannot be opened,
    // else nothing.
    std::optional<QString> readListFrom(const QString& list, bool nullSeparated);
    // Returns at once; finished() follows the last found().
    void start();
    // Any time: no more files are found, and finished() follows soon.
    void requestStop() { worker_.request_stop(); }

signals:
    // Files to fix, in order; `absent` are those of them that named nothing when they were read.
    void found(const QStringList& files, const QStringList& absent);
    // Every file was found or the gathering was stopped; `failure` says why the list could not
    // be read to its end, and is empty when it could.
    void finished(const QString& failure);

private:
    // The gathering thread's work.
    void gather(const std::stop_token& stop);
    // A path as given: a folder stands for its video files.
    void takeGiven(const QString& path, const std::stop_token& stop);
    void take(const QString& path, bool absent);
    // Reads the list's names; why it could not be read to its end.
    QString readList(const std::stop_token& stop);
    // GUI thread: sends on what was found so far.
    void sendFound();

    const QStringList paths_;
    const QString outputFolder_;
    QString listName_;
    UniqueFd list_;
    bool nullSeparated_ = false;
    // Found on the thread and not yet sent on; the lock is what hands them over.
    std::mutex foundMutex_;
    QStringList unsentFiles_;
    QStringList unsentAbsent_;
    QTimer handOnTimer_;
    // Last, so that it is stopped and joined while the rest still exists.
    std::jthread worker_;
};
