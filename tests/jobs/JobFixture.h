#pragma once

#include "ErrorSheetHandshake.h"
#include "FixJob.h"
#include "JobDisplay.h"
#include "JobSettings.h"
#include "MainThread.h"

#include <QStringList>
#include <QTimer>

#include <atomic>
#include <mutex>

// Records what a job shows, in order. A run of progress reports is recorded once, as "progress"
// below 1.0 and "full" from 1.0 on; error sheets are dismissed at once unless a test holds them.
class RecordingDisplay : public JobDisplay {
public:
    void showAnalyzing(const QString& path) override { record("analyzing " + name(path)); }
    void showCopying(const QString& path) override { record("copying " + name(path)); }
    void showTranscoding(const QString& path) override { record("transcoding " + name(path)); }
    void showProgress(double fraction) override
    {
        const QString event = fraction >= 1.0 ? "full" : "progress";
        std::lock_guard lock(mutex_);
        if (events_.isEmpty() || events_.last() != event)
            events_ << event;
    }
    void endJob() override { record("end"); }
    void presentError(const EngineError& error, std::function<void()> dismissed) override
    {
        record("error " + error.description);
        if (holdSheets)
            held_ = std::move(dismissed);
        else
            QTimer::singleShot(0, std::move(dismissed));
    }

    QStringList events() const
    {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int count(const QString& event) const { return events().count(event); }
    bool sheetUp() const { return bool(held_); }
    void dismissSheet() { std::exchange(held_, {})(); }

    std::atomic<bool> holdSheets{false};

private:
    static QString name(const QString& path) { return path.section('/', -1); }
    void record(const QString& event)
    {
        std::lock_guard lock(mutex_);
        events_ << event;
    }

    mutable std::mutex mutex_;
    QStringList events_;
    std::function<void()> held_;
};

class FakeSettings : public JobSettings {
public:
    bool force() const override { return force_; }
    qint64 bitrate() const override { return bitrate_; }
    QString path() const override
    {
        std::lock_guard lock(mutex_);
        return path_;
    }

    void setForce(bool force) { force_ = force; }
    void setPath(const QString& path)
    {
        std::lock_guard lock(mutex_);
        path_ = path;
    }

private:
    std::atomic<bool> force_{false};
    std::atomic<qint64> bitrate_{6};
    mutable std::mutex mutex_;
    QString path_;
};

// The parts a job needs around it, with the finishing pause shortened.
struct JobFixture {
    MainThread mainThread;
    RecordingDisplay display;
    FakeSettings settings;
    ErrorSheetHandshake handshake{mainThread, display};
    FixJob job{mainThread, display, handshake, settings};

    JobFixture() { job.setFinishPause(std::chrono::milliseconds(0)); }
};
