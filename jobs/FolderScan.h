#pragma once

#include <QObject>
#include <QStringList>

#include <deque>
#include <mutex>
#include <thread>

// Turns dropped or opened paths into the files to fix off the GUI thread, so that a large
// folder neither freezes the window nor keeps it from serving other launches. The files come
// through found() a few at a time as they are found, those of one scan after those of the scan
// before; what a scan passed over comes at its end.
class FolderScan : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Returns at once.
    void scan(const QStringList& paths);

signals:
    void found(const QStringList& files);
    // Once a scan has ended: the files in its folders that are not videos, when there were any.
    void leftOut(const QStringList& files);

private:
    void startNext();
    // GUI thread: sends on what the scan has found so far.
    void sendFound();

    std::deque<QStringList> waiting_;
    bool scanning_ = false;
    // Found by the scan's thread and not yet sent on; the lock is what hands them over.
    std::mutex foundMutex_;
    QStringList unsent_;
    // What the scan that has just ended passed over.
    QStringList unsentLeftOut_;
    // Last, so that the scan under way is stopped and its thread joined before the rest goes.
    std::jthread worker_;
};
