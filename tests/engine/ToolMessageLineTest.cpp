#include "TestPrinters.h"
#include "ToolMessageLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolMessageLine, KeepsTheLastLineThatIsNotProgress)
{
    struct Case {
        const char* line;
        bool message;
    };
    const Case cases[] = {
        {"/out/clip.mpg: Permission denied\n", true},
        {"Conversion failed!", true},
        {"frame=   30 fps=0.0 q=2.0 Lsize=     174kB time=00:00:01.02\n", false},
        {"size=      24kB time=00:00:01.00 bitrate= 192.1kbits/s\n", false},
        {"frame=    1 fps=0.0\r", false},
        {"anything ending in a carriage return\r", false},
        {"\n", false},
        {"   \t\n", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToolMessageLine::isMessage(c.line), c.message) << c.line;

    ToolMessageLine last;
    EXPECT_EQ(last.text(), "");
    for (const Case& c : cases)
        last.offer(c.line);
    EXPECT_EQ(last.text(), "Conversion failed!");
}

} // namespace
