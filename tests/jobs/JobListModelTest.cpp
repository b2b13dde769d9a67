#include "JobListModel.h"

#include <QAbstractItemModelTester>

#include <cmath>

#include <gtest/gtest.h>

// Five files, steered as a user would: each row says where its file stands, only waiting rows
// can be removed, and an ended row keeps how it ended.
TEST(JobListModel, RowsFollowTheirJobs)
{
    JobListModel jobs;
    QAbstractItemModelTester tester(&jobs, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto texts = [&] {
        QStringList shown;
        for (int row = 0; row < jobs.rowCount(); ++row)
            shown << jobs.index(row).data().toString();
        return shown;
    };
    const JobListModel::Id a = jobs.add({"/in/a.mp4", "/in/b.mov", "/in/c.avi", "/in/d.mkv", "/in/e.mp4"});

    EXPECT_EQ(jobs.start(a), "/in/a.mp4");
    EXPECT_EQ(jobs.start(a), std::nullopt);
    jobs.setStage(a, JobState::Transcoding);
    for (const double beyond : {1.7, -0.5, double(NAN)}) {
        jobs.setProgress(a, beyond);
        EXPECT_EQ(jobs.index(0).data().toString(), QString("a.mp4 \u2014 Transcoding %1%").arg(beyond > 1 ? 100 : 0));
    }
    jobs.setProgress(a, 0.424);
    EXPECT_EQ(jobs.index(0).data().toString(), "a.mp4 \u2014 Transcoding 42%");
    jobs.removeWaiting({jobs.index(0), jobs.index(3)});
    jobs.finish(a, {JobState::Done, "/out/a (2).mpg", {}, OutputMade::Remuxed});
    jobs.start(a + 1);
    jobs.finish(a + 1, {JobState::Cancelled, {}, {}});
    jobs.start(a + 2);
    jobs.finish(a + 2, {JobState::Failed, {}, "not a video"});
    EXPECT_EQ(jobs.waitingPaths(), QStringList{"/in/e.mp4"});
    jobs.start(a + 4);
    jobs.finish(a + 4, {JobState::Skipped, {}, "e.mpg is taken"});

    EXPECT_EQ(texts(), (QStringList{"a.mp4 \u2014 streams copied into MPEG: a (2).mpg", "b.mov \u2014 Cancelled",
                                    "c.avi \u2014 Failed: not a video", "e.mp4 \u2014 Skipped: e.mpg is taken"}));
    // Done rows stay done; the others wait again where they were, and their old ends come back.
    const std::vector<JobOutcome> retried = jobs.retry({jobs.index(3), jobs.index(0), jobs.index(1), jobs.index(3)});
    EXPECT_TRUE(retried.size() == 2 && retried[0].state == JobState::Cancelled && retried[1].reason == "e.mpg is taken");
    EXPECT_EQ(jobs.waitingPaths(), (QStringList{"/in/b.mov", "/in/e.mp4"}));
    jobs.start(a + 1);
    jobs.removeNotRunning({jobs.index(0), jobs.index(1), jobs.index(2)});
    EXPECT_EQ(texts(), (QStringList{"b.mov \u2014 Analyzing", "e.mp4 \u2014 Waiting"}));
    jobs.finish(a + 1, {JobState::Cancelled, {}, {}});

    const JobListModel::Id f = jobs.add({"/in/f.mp4", "/in/g.mp4"});
    jobs.start(f + 1);
    jobs.finish(f + 1, {JobState::Done, "/out/g.mpg", {}});
    jobs.clearFinished();
    EXPECT_EQ(texts(), (QStringList{"e.mp4 \u2014 Waiting", "f.mp4 \u2014 Waiting"}));
}

// A done row says how its file was made: the user may wonder why one took no time.
TEST(JobListModel, DoneRowsSayWhatWasDone)
{
    using OutputMade::Remuxed, OutputMade::Transcoded;
    using enum StreamMade;
    const struct { OutputMade made; StreamMade video, audio; const char* text; } cases[] = {
        {OutputMade::Copied, Copied, Copied, "copied unchanged: a.mpg"},
        {Remuxed, Copied, Copied, "streams copied into MPEG: a.mpg"},
        {Transcoded, Reencoded, Copied, "video re-encoded, audio copied: a.mpg"},
        {Transcoded, Copied, Reencoded, "audio re-encoded, video copied: a.mpg"},
        {Transcoded, Reencoded, Reencoded, "video and audio re-encoded: a.mpg"},
        {Transcoded, Reencoded, None, "video re-encoded: a.mpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JobListModel::stateText(JobState::Done, 1, {JobState::Done, "/o/a.mpg", {}, c.made, c.video, c.audio}),
                  c.text);
}
