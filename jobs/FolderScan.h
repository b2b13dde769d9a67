#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <mutex>
#include <thread>

// Turns dropped or opened paths into the files to fix off the GUI thread, so that a large
// folder neither freezes the window nor keeps it from serving other launches. The files come
// through found() as they are found, a few at a time when they come fast, those of one scan
// after those of the scan before; what a scan passed over comes at its end.
class FolderScan : public QObject {
    Q_OBJECT

public:
    explicit FolderScan(QObject* parent = nullptr);

    // Returns at once. `outputFolder` is never entered (see expandFolders()).
    void scan(const QStringList& paths, const QString& outputFolder = {});
    // A scan runs or waits.
    bool isScanning() const { return scanning_; }

signals:
    void found(const QStringList& files);
    // The first scan began, or the last one ended after its last files came through found().
    void scanningChanged(bool scanning);
    // Once a scan has ended: the files in its folders that are not videos, when there were any.
    void leftOut(const QStringList& files);

private:
    struct Request {
        QStringList paths;
        QString outputFolder;
    };

    void startNext();
    // GUI thread: sends on what the scan has found so far, at once unless it sent a moment ago.
    void sendSoon();
    void sendFound();
    void scanEnded();

    std::deque<Request> waiting_;
    bool scanning_ = false;
    bool threadRuns_ = false;
    QTimer sendTimer_;
    QElapsedTimer sinceSent_;
    // Found by the scan's thread and not yet sent on; the lock is what hands them over.
    std::mutex foundMutex_;
    QStringList unsent_;
    // What the scan that has just ended passed over.
    QStringList unsentLeftOut_;
    // Last, so that the scan under way is stopped and its thread joined before the rest goes.
    std::jthread worker_;
};
