#pragma once

#include "UniqueFd.h"

#include <QObject>

#include <array>
#include <csignal>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP turned into a Qt signal on the GUI thread, so that mpgfix stops
// its job and leaves the event loop instead of dying with ffmpeg still running. The handlers
// only note the signal in a pipe, the one thing a signal handler may safely do here.
// One at a time per process.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    // Puts back the handlers that were there before.
    ~QuitSignals() override;

    static constexpr std::array<int, 3> handled{SIGTERM, SIGINT, SIGHUP};

signals:
    void received(int signal);

private:
    void readNotes();

    UniqueFd readEnd_;
    UniqueFd writeEnd_;
    // After the pipe, so that it stops watching before the pipe closes.
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, handled.size()> previous_{};
};
