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
    };

    // From now on `queue`'s pending files are kept at `path`.
    QueueKeeper(JobQueue& queue, const QString& path, QObject* parent = nullptr);

    // Reads what a kept file holds. A file that does not parse, or that a newer version wrote,
    // is renamed aside, never deleted nor trusted.
    static Restored restore(const QString& path);
    // "$XDG_STATE_HOME/mpgfix/queue.json", by default in ~/.local/state.
    static QString defaultPath();

private:
    void save();

    JobQueue& queue_;
    const QString path_;
};
