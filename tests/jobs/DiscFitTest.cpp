#include "DiscFit.h"

#include <gtest/gtest.h>

using namespace DiscFit;

// The figures were worked out by hand: 97% of the disc less 1 MiB and 64 KiB a file, over 1.022
// for the program stream, in kilobits spread over the seconds, less the audio.
TEST(DiscFitTest, OneBitrateFitsTheFilesOrTellsHowManyMinutesWouldFit)
{
    const struct { qint64 capacity; QList<File> files; double kbps; int minutesThatFit; } cases[] = {
        {dvd5Bytes, {{600, 192}}, mostVideoKbps, -1},
        {dvd5Bytes, QList<File>(4, {1800, 192}), 4763.48, -1},
        {dvd5Bytes, QList<File>(4, {1800, 448}), 4507.48, -1},
        {dvd5Bytes, {{1800, 448}, {1800, 192}, {1800, 192}, {1800, 192}}, 4699.48, -1},
        {dvd9Bytes, QList<File>(8, {1800, 192}), 4312.12, -1},
        {dvd5Bytes, {{271 * 60, 192}}, 2002.40, -1},
        {dvd5Bytes, {{272 * 60, 192}}, 0, 271},
        {dvd9Bytes, QList<File>(9, {3600, 448}), 0, 441},
        {700'000'000, {{900, 192}, {0, 448}}, 5703.37, -1},
        {1'000'000, {{3, 192}}, 0, 0},
        // A file used as it is takes its bytes; the others share the rest, or do not fit.
        {dvd5Bytes, {{1800, 192}, {600, 192, 3'500'000'000}}, 4409.79, -1},
        {dvd5Bytes, {{1800, 192}, {600, 192, 4'200'000'000}}, 0, 21},
        {dvd5Bytes, {{600, 192, 5'000'000'000}}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kbps + c.minutesThatFit);
        const std::variant<Plan, Refusal> result = fit(c.capacity, c.files);
        if (c.minutesThatFit >= 0) {
            ASSERT_TRUE(std::holds_alternative<Refusal>(result));
            EXPECT_EQ(std::get<Refusal>(result).minutesThatFit, c.minutesThatFit);
            EXPECT_TRUE(std::get<Refusal>(result).message.contains(QString::number(c.minutesThatFit)));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Plan>(result));
        EXPECT_NEAR(std::get<Plan>(result).videoKbps, c.kbps, 0.01);
    }
}

TEST(DiscFitTest, CapacityWords)
{
    const struct { const char* word; std::optional<qint64> bytes; } cases[] = {
        {"dvd5", dvd5Bytes}, {"DVD9", dvd9Bytes}, {"700MB", 700'000'000}, {"25mb", 25'000'000},
        {"0MB", {}}, {"-5MB", {}}, {"1.5MB", {}}, {"MB", {}}, {"700", {}}, {"dvd10", {}}, {"", {}},
        {"7 MB", {}}, {"1234567890MB", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCapacity(QString(c.word)), c.bytes) << c.word;
}
