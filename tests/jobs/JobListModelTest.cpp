#include "JobListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <cmath>

#include <gtest/gtest.h>

// One batch of five files, steered as a user would: each row says where its file stands, only
// waiting rows can be removed, a removed file never starts, and the batch ends once, counting
// what was fixed and what failed.
TEST(JobListModel, RowsFollowTheirJobsAndTheBatchEndsOnce)
{
    JobListModel jobs;
    QAbstractItemModelTester tester(&jobs, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy ended(&jobs, &JobListModel::batchFinished);
    QSignalSpy progressed(&jobs, &JobListModel::batchProgressed);
    const auto texts = [&] {
        QStringList shown;
        for (int row = 0; row < jobs.rowCount(); ++row)
            shown << jobs.index(row).data().toString();
        return shown;
    };
    QList<JobListModel::Id> ids;
    for (const char* name : {"a.mp4", "b.mov", "c.avi", "d.mkv", "e.mp4"})
        ids << jobs.add({QStringLiteral("/in/") + name});

    EXPECT_EQ(jobs.start(ids[0]), "/in/a.mp4");
    EXPECT_EQ(jobs.start(ids[0]), std::nullopt);
    jobs.setStage(ids[0], JobState::Transcoding);
    for (const double beyond : {1.7, -0.5, double(NAN)}) {
        jobs.setProgress(ids[0], beyond);
        EXPECT_EQ(jobs.index(0).data().toString(), QString("a.mp4 \u2014 Transcoding %1%").arg(beyond > 1 ? 100 : 0));
    }
    jobs.setProgress(ids[0], 0.424);
    EXPECT_EQ(jobs.index(0).data().toString(), "a.mp4 \u2014 Transcoding 42%");
    EXPECT_DOUBLE_EQ(progressed.last().at(0).toDouble(), 0.424 / 5);
    jobs.removeWaiting({jobs.index(0), jobs.index(3)});
    jobs.finish(ids[0], {JobState::Done, "/out/a (2).mpg", {}});
    jobs.start(ids[1]);
    jobs.finish(ids[1], {JobState::Cancelled, {}, {}});
    EXPECT_EQ(jobs.start(ids[3]), std::nullopt);
    jobs.start(ids[2]);
    jobs.finish(ids[2], {JobState::Failed, {}, "Not a recognized file format: c.avi"});
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_EQ(jobs.waitingCount(), 1);
    jobs.start(ids[4]);
    jobs.finish(ids[4], {JobState::Skipped, {}, "/out/e.mpg already exists and was left as it is."});

    EXPECT_EQ(texts(), (QStringList{"a.mp4 \u2014 Done: a (2).mpg", "b.mov \u2014 Cancelled",
                                        "c.avi \u2014 Failed: Not a recognized file format: c.avi",
                                        "e.mp4 \u2014 Skipped: /out/e.mpg already exists and was left as it is."}));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0], (QVariantList{1, 1}));
    EXPECT_EQ(progressed.last(), (QVariantList{1.0, 0}));

    const JobListModel::Id f = jobs.add({"/in/f.mp4", "/in/g.mp4"});
    jobs.start(f + 1);
    jobs.finish(f + 1, {JobState::Done, "/out/g.mpg", {}});
    jobs.clearFinished();
    EXPECT_EQ(texts(), QStringList{"f.mp4 \u2014 Waiting"});
}

// Several rows run at once, each with its own progress; the batch's is their mean with the
// ended and waiting files.
TEST(JobListModel, SeveralRunningRowsMakeTheBatchsMeanProgress)
{
    JobListModel jobs;
    QSignalSpy progressed(&jobs, &JobListModel::batchProgressed);
    const JobListModel::Id a = jobs.add({"/in/a.mp4", "/in/b.mp4", "/in/c.mp4"}), b = a + 1;
    jobs.start(a);
    jobs.start(b);
    jobs.setStage(b, JobState::Transcoding);
    jobs.setProgress(a, 0.5);
    jobs.setProgress(b, 0.25);
    EXPECT_EQ(progressed.last(), (QVariantList{0.75 / 3, 1}));
    jobs.finish(b, {JobState::Done, "/out/b.mpg", {}});
    jobs.setProgress(b, 0.9);
    EXPECT_EQ(progressed.last(), (QVariantList{1.5 / 3, 1}));
    EXPECT_TRUE(JobListModel::isRunning(jobs.index(0)) && !JobListModel::isRunning(jobs.index(1)));
    EXPECT_EQ(jobs.index(1).data().toString(), "b.mp4 \u2014 Done: b.mpg");
}
