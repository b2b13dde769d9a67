#include "JobQueue.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <map>

// A job that runs until the test sends its end, as FixJob would: a stop is only asked for.
struct FakeJob : Job {
    FakeJob(QStringList& events, const QString& name) : events(events), name(name) {}
    void start() override { events << "start " + name; }
    void requestStop() override { events << "stop " + name; }
    QStringList& events;
    const QString name;
};

// One queue steered step by step over jobs that end when the test says: each row is what is done,
// what the queue reports on it (the round's progress in percent), and the round's tally after it.
// Files start in arrival order, as many as allowed; a failure on show holds every later file
// while the running ones go on, failures are raised one at a time, not while paused, and not held
// for files that go on after failures or after a stop; only running files stop.
// Files are named a, b, c, ... in the order they come, so that a file's id is its letter's place.
TEST(JobQueue, RunsFilesInOrderHoldsOnFailuresAndTalliesTheRound)
{
    JobSettings settings;
    QStringList events;
    std::map<QString, FakeJob*> jobs;
    JobQueue queue([&] { return settings; }, [&](const QString& path, const JobSettings&) {
        return std::unique_ptr<Job>(jobs[path] = new FakeJob(events, path));
    });
    using enum JobState;
    const QStringList words{"done", "failed", "skipped", "cancelled"};
    QObject::connect(&queue, &JobQueue::jobEnded, [&](JobListModel::Id id, const JobOutcome& outcome) {
        const QModelIndex row = queue.model().indexOf(id);
        EXPECT_EQ(row.data(JobListModel::StateRole).toInt(), int(outcome.state)) << "the row shows how it ended";
        events << "end " + row.data(JobListModel::PathRole).toString() + " " + words[int(outcome.state) - int(Done)];
    });
    QObject::connect(&queue, &JobQueue::failureRaised, [&](const JobOutcome& on) { events << "raise " + on.reason; });
    QObject::connect(&queue, &JobQueue::failureCleared, [&] { events << "cleared"; });
    QObject::connect(&queue, &JobQueue::roundProgressed, [&](double f) { events << QString::number(f * 100) + "%"; });
    QObject::connect(&queue, &JobQueue::roundFinished,
                     [&](const RoundTally& tally) { events << (tally == queue.tally() ? "over" : "miscounted"); });
    QObject::connect(&queue, &JobQueue::idle, [&] { events << "idle"; });
    QObject::connect(&queue, &JobQueue::workArrived, [&] { events << "work"; });
    const auto end = [&](const char* file, JobState state, OutputMade made = OutputMade::Remuxed) {
        return [&, file, state, made] { emit jobs.extract(file).mapped()->finished({state, {}, file, made}); };
    };
    const auto dismiss = [&] { queue.failureDismissed(); };
    const RoundTally first{.fixed = 1, .copied = 1, .failed = 2, .skipped = 1};
    const struct { std::function<void()> act; const char* events; RoundTally tally; } steps[] = {
        {[&] { queue.add({"a", "b", "c", "d"}); }, "0%, work, start a", {.running = 1, .waiting = 3}},
        {[&] { queue.setMaxRunning(2); }, "start b", {.running = 2, .waiting = 2}},
        {[&] { emit jobs.at("a")->progressed(0.5); }, "12.5%", {.running = 2, .waiting = 2}},
        {end("a", Failed), "end a failed, 25%, raise a", {.failed = 1, .running = 1, .waiting = 2}},
        {[&] { queue.setMaxRunning(3); }, "", {.failed = 1, .running = 1, .waiting = 2}},
        {end("b", Done, OutputMade::Copied), "end b done, 50%", {.fixed = 1, .copied = 1, .failed = 1, .waiting = 2}},
        {dismiss, "cleared, start c, start d", {.fixed = 1, .copied = 1, .failed = 1, .running = 2}},
        {end("c", Skipped), "end c skipped, 75%, raise c",
         {.fixed = 1, .copied = 1, .failed = 1, .skipped = 1, .running = 1}},
        {end("d", Failed), "end d failed, 100%, over", first},
        {dismiss, "cleared, raise d", first},
        {dismiss, "cleared, idle", first},
        {[&] { queue.setPaused(true); queue.add({"e", "f", "g", "h"}); queue.cancel(6); }, "0%, work", {.waiting = 4}},
        {[&] { queue.removeWaiting({queue.model().indexOf(6)}); }, "0%", {.waiting = 3}},
        {[&] { queue.setPaused(false); }, "start e, start g, start h", {.running = 3}},
        {[&] { queue.setPaused(true); end("e", Failed)(); }, "end e failed, 33.3333%", {.failed = 1, .running = 2}},
        {[&] { queue.setPaused(false); }, "raise e", {.failed = 1, .running = 2}},
        {[&] { queue.cancel(8); queue.cancelCurrent(); }, "stop h, stop g", {.failed = 1, .running = 2}},
        {end("h", Cancelled), "end h cancelled, 66.6667%", {.failed = 1, .cancelled = 1, .running = 1}},
        {end("g", Done), "end g done, 100%, over", {.fixed = 1, .failed = 1, .cancelled = 1}},
        {dismiss, "cleared, idle", {.fixed = 1, .failed = 1, .cancelled = 1}},
        // A retry after the round begins another; within one, a file counts once, as it ends last.
        {[&] { queue.retry({queue.model().indexOf(5), queue.model().indexOf(7), queue.model().indexOf(8)}); },
         "0%, work, start e, start h", {.running = 2}},
        {end("e", Cancelled), "end e cancelled, 50%", {.cancelled = 1, .running = 1}},
        {[&] { queue.retry({queue.model().indexOf(5)}); }, "0%, work, start e", {.running = 2}},
        {end("e", Done), "end e done, 50%", {.fixed = 1, .running = 1}},
        {end("h", Done), "end h done, 100%, over, idle", {.fixed = 2}},
        // A scan under way keeps the round open and the queue from going idle.
        {[&] { queue.setScanning(true); }, "work, 0%", {}},
        {[&] { queue.add({"s"}); }, "0%, work, start s", {.running = 1}},
        {end("s", Done), "end s done, 100%", {.fixed = 1}},
        {[&] { queue.setScanning(false); }, "100%, over, idle", {.fixed = 1}},
        {[&] { settings.waitOnFailure = false; queue.add({"i", "j", "k", "l"}); settings.waitOnFailure = true; },
         "0%, work, start i, start j, start k", {.running = 3, .waiting = 1}},
        {end("i", Failed), "end i failed, 25%, start l", {.failed = 1, .running = 3}},
        {[&] { queue.stop(); }, "stop j, stop k, stop l", {.failed = 1, .running = 3}},
        {end("l", Failed), "end l failed, 50%", {.failed = 2, .running = 2}},
        {end("j", Cancelled), "end j cancelled, 75%", {.failed = 2, .cancelled = 1, .running = 1}},
        {end("k", Cancelled), "end k cancelled, 100%, over, idle", {.failed = 2, .cancelled = 2}},
    };
    for (const auto& step : steps) {
        events.clear();
        step.act();
        EXPECT_EQ(events.join(", "), step.events) << "step " << &step - steps + 1;
        EXPECT_EQ(queue.tally(), step.tally) << "step " << &step - steps + 1;
    }
}
