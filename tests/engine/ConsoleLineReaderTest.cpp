#include "ConsoleLineReader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Stream = std::unique_ptr<FILE, int (*)(FILE*)>;

// A stream over a real pipe whose writer has handed over `bytes` and gone.
Stream pipeStream(const std::string& bytes)
{
    int ends[2];
    EXPECT_EQ(pipe2(ends, O_CLOEXEC), 0);
    EXPECT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(ends[1]);
    return Stream(fdopen(ends[0], "r"), fclose);
}

std::vector<std::string> readAll(const std::string& bytes, int size = consoleLineBufferSize)
{
    const Stream stream = pipeStream(bytes);
    std::vector<char> buffer(static_cast<size_t>(size));
    std::vector<std::string> lines;
    while (const char* line = readConsoleLine(buffer.data(), size, stream.get()))
        lines.emplace_back(line);
    return lines;
}

TEST(ConsoleLineReader, SplitsAfterEveryCrOrLfAndCutsAt1023Bytes)
{
    const std::string a(2499, 'a');
    const struct {
        std::string output;
        std::vector<std::string> lines;
    } cases[] = {
        {"abc\r\ndef", {"abc\r", "\n", "def"}},
        {"frame=  1\rframe=  2\r", {"frame=  1\r", "frame=  2\r"}},
        {"", {}},
        {a + "\n", {a.substr(0, 1023), a.substr(0, 1023), a.substr(0, 453) + "\n"}},
        {a.substr(0, 1022) + "\n", {a.substr(0, 1022) + "\n"}},
        {a.substr(0, 1023) + "\n", {a.substr(0, 1023), "\n"}},
        {std::string("ab\0cd\nx", 7), {"ab", "x"}},  // a NUL is kept but ends the C text
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(c.output), c.lines) << c.output.substr(0, 20);
    EXPECT_EQ(readAll("abcdefg\n", 4), (std::vector<std::string>{"abc", "def", "g\n"}));
}

TEST(ConsoleLineReader, RefusesMissingOrTinyArgumentsWithoutReading)
{
    const Stream stream = pipeStream("xyz\n");
    char buffer[8] = "keep";
    EXPECT_EQ(readConsoleLine(nullptr, 8, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, 0, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, -5, stream.get()), nullptr);
    EXPECT_EQ(readConsoleLine(buffer, 8, nullptr), nullptr);
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(readConsoleLine(buffer, 1, stream.get()), nullptr);
    EXPECT_STREQ(buffer, "");
    EXPECT_STREQ(readConsoleLine(buffer, 8, stream.get()), "xyz\n");
}

} // namespace
