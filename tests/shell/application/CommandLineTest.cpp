#include "CommandLine.h"

#include "TestPrinters.h"

#include <QDir>

#include <gtest/gtest.h>

// Options are answered on the terminal with an exit status; "--" ends them, so a file whose name
// starts with a dash still opens; files come out absolute.
TEST(CommandLineTest, AnswersOptionsAndMistakesAndHandsOnFiles)
{
    const QString here = QDir::currentPath();
    const struct { QStringList arguments; bool exits; int status; QString printed, complaint; QStringList files; }
    cases[] = {
        {{"--help"}, true, 0, "--version", "", {}},
        {{"--version", "a.mp4"}, true, 0, "mpgfix " MPGFIX_VERSION "\n", "", {}},
        {{"a.mp4", "--frobnicate"}, true, 2, "", "frobnicate", {}},
        {{"/c/a.mp4", "--", "-x.mp4", "--help"}, false, 0, "", "", {"/c/a.mp4", here + "/-x.mp4", here + "/--help"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line(QStringList{"mpgfix"} + c.arguments);
        EXPECT_EQ(std::tuple(line.exits(), line.exitCode(), line.files()), std::tuple(c.exits, c.status, c.files));
        EXPECT_TRUE(line.output().contains(c.printed) && line.errors().contains(c.complaint));
        EXPECT_EQ(line.output().isEmpty(), c.printed.isEmpty());
        EXPECT_EQ(line.errors().isEmpty(), c.complaint.isEmpty());
    }
}
