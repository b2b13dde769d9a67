#pragma once

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// Hands work from a worker thread to the GUI thread and waits until it has run there.
// The GUI thread never waits for a worker: close() releases every waiting caller, so the
// owner can join its workers at shutdown without a deadlock.
class MainThread : public QObject {
    Q_OBJECT

public:
    // Create it on the GUI thread.
    explicit MainThread(QObject* parent = nullptr);
    ~MainThread() override;

    // Runs `work` on the GUI thread and returns true once it has run; returns false without
    // running it when the hand-off is closed, before or while waiting.
    bool call(const std::function<void()>& work);
    // GUI thread: no more work runs; waiting callers return false at once.
    void close();
    bool isClosed() const;

private:
    // One caller's work, on the caller's stack until the caller returns.
    struct Pending {
        const std::function<void()>& work;
        bool running = false;
        bool done = false;
    };

    void runPending();

    // Everything the two threads share goes through the mutex, so the hand-off is ordered by
    // it alone and not by the event queue.
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<Pending*> pending_;
    bool closed_ = false;
};
