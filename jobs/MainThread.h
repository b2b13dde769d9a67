#pragma once

#include <QObject>

#include <condition_variable>
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
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    bool closed_ = false;
};
