#include "ConsoleLineReader.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

using TestPrinters::PrintTo;

// A stream over a real pipe that has been handed `bytes` and then closed by its writer.
class PipeStream {
public:
    explicit PipeStream(const std::string& bytes)
    {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return;
        EXPECT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(ends[1]);
        stream_ = fdopen(ends[0], "r");
    }
    ~PipeStream()
    {
        if (stream_ != nullptr)
            fclose(stream_);
    }
    FILE* get() const { return stream_; }

private:
    FILE* stream_ = nullptr;
};

std::vector<std::string> readAll(const std::string& bytes, int size = consoleLineBufferSize)
{
    PipeStream stream(bytes);
    std::vector<char> buffer(static_cast<size_t>(size));
    std::vector<std::string> lines;
    while (const char* line = readConsoleLine(buffer.data(), size, stream.get()))
        lines.emplace_back(line, std::char_traits<char>::length(line));
    return lines;
}

struct SplitCase {
    const char* name;
    std::string output;
    std::vector<std::string> lines;
};

class ConsoleLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(ConsoleLineSplit, GivesTheLinesInOrder)
{
    EXPECT_EQ(readAll(GetParam().output), GetParam().lines);
}

const std::string long2499(2499, 'a');
const std::string long1022(1022, 'b');
const std::string long1023(1023, 'c');

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleLineSplit,
    testing::Values(
        SplitCase{"CrLfAndNoTerminator", "abc\r\ndef", {"abc\r", "\n", "def"}},
        SplitCase{"LfOnly", "one\ntwo\n", {"one\n", "two\n"}},
        SplitCase{"ProgressCr", "frame=  1\rframe=  2\r", {"frame=  1\r", "frame=  2\r"}},
        SplitCase{"Empty", "", {}},
        SplitCase{"Line2499", long2499 + "\n",
                  {std::string(1023, 'a'), std::string(1023, 'a'), std::string(453, 'a') + "\n"}},
        SplitCase{"Line1022", long1022 + "\n", {long1022 + "\n"}},
        SplitCase{"Line1023", long1023 + "\n", {long1023, "\n"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(ConsoleLineReader, StoresNulBytesButTheLineEndsThereForCText)
{
    PipeStream stream(std::string("ab\0cd\nx", 7));
    char buffer[consoleLineBufferSize];
    ASSERT_NE(readConsoleLine(buffer, sizeof buffer, stream.get()), nullptr);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(std::string(buffer, 6), std::string("ab\0cd\n", 6));
    ASSERT_NE(readConsoleLine(buffer, sizeof buffer, stream.get()), nullptr);
    EXPECT_STREQ(buffer, "x");
    EXPECT_EQ(readConsoleLine(buffer, sizeof buffer, stream.get()), nullptr);
}

TEST(ConsoleLineReader, RefusesMissingOrTinyArgumentsWithoutReading)
{
    PipeStream stream("xyz\n");
    char buffer[8] = "keep";
    EXPECT_EQ(readConsoleLine(nullptr, 8, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, 0, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, -5, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, 8, nullptr), nullptr);
    EXPECT_STREQ(buffer, "keep");

    EXPECT_EQ(readConsoleLine(buffer, 1, stream.get()), nullptr);
    EXPECT_STREQ(buffer, "");

    // Nothing was taken from the stream on the way.
    EXPECT_NE(readConsoleLine(buffer, 8, stream.get()), nullptr);
    EXPECT_STREQ(buffer, "xyz\n");
}

TEST(ConsoleLineReader, SmallBuffersCutLinesAtSizeMinusOne)
{
    EXPECT_EQ(readAll("abcdefg\n", 4), (std::vector<std::string>{"abc", "def", "g\n"}));
}

} // namespace
