#pragma once

#include "EventLoop.h"
#include "FixJob.h"
#include "JobQueue.h"

#include <gtest/gtest.h>

#include <QTimer>

// The real queue, with what it reports recorded in order: a run of progress reports once, as
// "progress" below 1.0 and "full" from 1.0 on. Failures are dismissed at once unless a test
// holds them. Every job takes `settings` as they are when its turn comes. GUI thread only.
struct JobFixture {
    JobSettings settings;
    JobQueue queue{[this] { return settings; }};
    QStringList events;
    JobOutcome outcome;
    bool holdFailures = false;
    // A failure the test holds up; dismiss it with queue.failureDismissed().
    bool held = false;

    JobFixture()
    {
        const auto name = [](const QString& path) { return path.section('/', -1); };
        QObject::connect(&queue, &JobQueue::jobStarted, [=, this](const QString& path) {
            record("analyzing " + name(path));
        });
        QObject::connect(&queue, &JobQueue::stageChanged, [=, this](JobState stage, const QString& path) {
            record((stage == JobState::Copying ? "copying " : "transcoding ") + name(path));
        });
        QObject::connect(&queue, &JobQueue::progressed, [this](double f) { record(f < 1.0 ? "progress" : "full"); });
        QObject::connect(&queue, &JobQueue::failureRaised, [this](const JobOutcome& failed) {
            record("error " + failed.reason);
            held = holdFailures;
            if (!held)
                QTimer::singleShot(0, &queue, &JobQueue::failureDismissed);
        });
        QObject::connect(&queue, &JobQueue::jobEnded, [this](JobListModel::Id, const JobOutcome& ended) {
            outcome = ended;
            record("end");
        });
    }

    // Queues `paths` as a drop of them would and serves the queue until their jobs have ended.
    QStringList fix(const QStringList& paths, int timeoutMs = 60000)
    {
        const qsizetype ended = events.count("end") + paths.size();
        queue.add(paths);
        EXPECT_TRUE(spinUntil([&] { return events.count("end") == ended; }, timeoutMs));
        return events;
    }

private:
    void record(const QString& event)
    {
        if (events.isEmpty() || events.last() != event)
            events << event;
    }
};
