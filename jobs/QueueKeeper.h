#pragma once

#include "JobQueue.h"

#include <QObject>
#include <QString>

#include <vector>

// Keeps the files still to fix in a small JSON file, so that a queue survives quitting, a crash
// or a power cut: rewritten whole, through a temporary file and a rename, whenever the queue
// changes. Only the instance that owns the window's queue may keep it.
class QueueKeeper : public QObject {
    Q_OBJECT

public:
    // What a kept file held.
    struct Restored {
        std::vector<JobQueue::Pending> files;
        // Why the file was not trusted, and the name it was set aside under; empty when it was
        // read, or there was none.
        QString setAsideAs;
        // Why a file that is there could not be opened; it is left as it is. Empty when it was
        // opened, or there was none.
        QString unopened = {};
    };

    // From now on `queue`'s pending files are kept at `path`, unless a file is there that cannot
    // be opened: that one is never written over with what this run knows.
    QueueKeeper(JobQueue& queue, const QString& path, QObject* parent = nullptr);

    // Reads what a kept file holds. A file that does not parse, or that a newer version wrote,
    // is renamed aside, never deleted nor trusted.
    static Restored restore(const QString& path);
    // "$XDG_STATE_HOME/mpgfix/queue.json", by default in ~/.local/state.
    static QString defaultPath();

signals:
    // The kept file could not be written, for the reason in `note`; it still holds what it held.
    // Said once, and again only after a later save worked: every change tries again.
    void saveFailed(const QString& note);

private:
    void save();

    JobQueue& queue_;
    const QString path_;
    // The file there could not be opened at the start.
    const bool leftAlone_;
    bool failing_ = false;
};
