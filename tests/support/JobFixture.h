#pragma once

#include "ErrorSheetHandshake.h"
#include "EventLoop.h"
#include "FixJob.h"
#include "JobDisplay.h"
#include "MainThread.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <mutex>
#include <thread>

// Records what a job shows, in order: a run of progress reports once, as "progress" below 1.0
// and "full" from 1.0 on. Error sheets are dismissed at once unless a test holds them.
class RecordingDisplay : public JobDisplay {
public:
    void showAnalyzing(const QString& path) override { record("analyzing " + path.section('/', -1)); }
    void showCopying(const QString& path) override { record("copying " + path.section('/', -1)); }
    void showTranscoding(const QString& path) override { record("transcoding " + path.section('/', -1)); }
    void showProgress(double fraction) override { record(fraction >= 1.0 ? "full" : "progress"); }
    void showOutcome(const JobOutcome& ended) override { outcome = ended; }
    void endJob() override { record("end"); }
    void presentError(const EngineError& error, std::function<void()> dismissed) override
    {
        record("error " + error.description);
        if (holdSheets)
            held = std::move(dismissed);
        else
            QTimer::singleShot(0, std::move(dismissed));
    }

    QStringList events() const
    {
        std::lock_guard lock(mutex_);
        return events_;
    }

    std::atomic<bool> holdSheets{false};
    std::function<void()> held;  // the sheet a test holds up; GUI thread only
    JobOutcome outcome;  // GUI thread only

private:
    void record(const QString& event)
    {
        std::lock_guard lock(mutex_);
        if (events_.isEmpty() || events_.last() != event)
            events_ << event;
    }

    mutable std::mutex mutex_;
    QStringList events_;
};

// Settings a test sets before the job runs; only `force` changes while a job may read it.
struct FakeSettings : JobSettings {
    bool force() const override { return forced; }
    qint64 bitrate() const override { return megabits; }
    QString path() const override { return folder; }
    NameTaken nameTaken() const override { return taken; }
    bool dvd() const override { return forDvd; }
    bool keepProportions() const override { return bars; }

    std::atomic<bool> forced{false};
    QString folder;
    qint64 megabits = 6;
    NameTaken taken = NameTaken::ShowMessage;
    bool forDvd = false, bars = false;
};

// The parts a job needs around it, with no pause at the finish.
struct JobFixture {
    MainThread mainThread;
    RecordingDisplay display;
    FakeSettings settings;
    ErrorSheetHandshake handshake{mainThread, display};
    FixJob job{mainThread, display, handshake, settings};

    JobFixture() { job.setFinishPause(std::chrono::milliseconds(0)); }

    // Runs the job on a worker, as the queue would, while this thread serves the window.
    QStringList fix(const QString& path)
    {
        std::atomic<bool> done{false};
        std::jthread worker([&] {
            job.fixVideo(path);
            done = true;
        });
        EXPECT_TRUE(spinUntil([&] { return done.load(); }, 60000));
        return display.events();
    }
};

