#include "DiscRound.h"

#include "EventLoop.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using Kind = DiscFailure::Kind;

// Two one-second clips, a file that is no video, and a round that makes a disc of what a case
// names, through the real queue: the disc is made, or given up at the moment the case says, and
// either way the destination holds the disc or nothing, and the queue's round ends only after it.
struct Case {
    const char* name;
    QStringList files;
    // Stop the round at this stage; Fixing is at once.
    std::optional<DiscRound::Stage> cancelAt;
    std::optional<Kind> failure;
    QStringList made;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class DiscRoundTest : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite()
    {
        media = new TestMedia::TestFolder;
        for (const char* clip : {"one.mp4", "two.mp4"})
            ASSERT_TRUE(TestMedia::makeClip(media->filePath(clip), TestMedia::h264AacMono()));
        ASSERT_TRUE(TestMedia::write(media->filePath("notes.mp4"), "no video\n"));
    }
    static void TearDownTestSuite() { delete media; }
    static inline TestMedia::TestFolder* media = nullptr;
};

TEST_P(DiscRoundTest, MakesTheDiscOrLeavesNothingAndHoldsTheRoundUntilItEnds)
{
    const Case& c = GetParam();
    const TestMedia::TestFolder destination;
    JobSettings settings;
    settings.waitOnFailure = false;
    JobQueue queue([&] { return settings; });
    DiscOptions options;
    options.folder = destination.path();
    options.image = destination.filePath("Disc.iso");
    options.title = QStringLiteral("Disc");
    DiscRound round(queue, options);

    std::optional<std::optional<DiscFailure>> ended;
    bool roundFinishedFirst = false;
    QObject::connect(&queue, &JobQueue::roundFinished, [&] { roundFinishedFirst = !ended; });
    QObject::connect(&round, &DiscRound::finished, [&](const std::optional<DiscFailure>& failure) { ended = failure; });
    QObject::connect(&round, &DiscRound::stageChanged, [&](DiscRound::Stage stage) {
        // Every file has ended, yet the queue has work until the disc is made.
        EXPECT_TRUE(queue.hasWork());
        if (stage == c.cancelAt)
            round.cancel();
    });
    QStringList files;
    for (const QString& file : c.files)
        files << media->filePath(file);
    settings.folder = destination.path();
    round.start(files, settings);
    if (c.cancelAt == DiscRound::Stage::Fixing)
        round.cancel();

    ASSERT_TRUE(spinUntil([&] { return ended && !queue.hasWork(); }, 60000));
    EXPECT_EQ(ended->has_value() ? std::optional((*ended)->kind) : std::nullopt, c.failure);
    EXPECT_FALSE(roundFinishedFirst);
    EXPECT_EQ(queue.model().waitingCount(), 0);
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), c.made);
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, DiscRoundTest,
    testing::Values(Case{"Made", {"one.mp4", "two.mp4"}, {}, {}, {"Disc", "Disc.iso"}},
                    Case{"AFileFails", {"one.mp4", "notes.mp4", "two.mp4"}, {}, Kind::Refused, {}},
                    Case{"CancelledWhileFixing", {"one.mp4", "two.mp4"}, DiscRound::Stage::Fixing, Kind::Stopped, {}},
                    Case{"CancelledWhileAuthoring", {"one.mp4", "two.mp4"}, DiscRound::Stage::Authoring, Kind::Stopped, {}},
                    Case{"CancelledWhileImaging", {"one.mp4"}, DiscRound::Stage::Imaging, Kind::Stopped, {}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace

// As at quit, where the queue goes before the round: the round's end leaves the queue alone and
// takes its hidden folder with it.
TEST(DiscRoundQuitTest, TheQueueMayGoFirst)
{
    const TestMedia::TestFolder destination;
    ASSERT_TRUE(TestMedia::makeClip(destination.filePath("one.mp4"), TestMedia::h264AacMono()));
    auto queue = std::make_unique<JobQueue>([] { return JobSettings{}; });
    DiscOptions options;
    options.folder = destination.path();
    auto round = std::make_unique<DiscRound>(*queue, options);
    round->start({destination.filePath("one.mp4")}, {});
    queue.reset();
    round.reset();
    EXPECT_EQ(QDir(destination.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"one.mp4"});
}
