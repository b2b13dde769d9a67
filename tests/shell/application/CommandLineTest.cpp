#include "CommandLine.h"
#include "Options.h"

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

// A batch run's options reach its jobs as the window's would; those not given keep the stored
// ones, and nobody is there to wait for after a failure.
TEST(CommandLineTest, ABatchRunsOptionsAreLaidOverTheStoredOnes)
{
    const CommandLine line({"mpgfix", "--batch", "--bitrate", "3", "--if-taken", "replace", "--keep-proportions",
                            "--output", "/o", "--jobs", "40", "a.mp4"});
    ASSERT_TRUE(line.batch());
    JobSettings stored;
    stored.output.dvd = true;
    const JobSettings job = line.batch()->over(stored);
    EXPECT_EQ(job.output, (OutputOptions{.videoKbps = 3000, .dvd = true, .keepProportions = true}));
    EXPECT_EQ(std::tuple(job.folder, job.nameTaken, job.waitOnFailure), std::tuple("/o", NameTaken::Replace, false));
    EXPECT_EQ(line.batch()->valueOr(Options::filesAtOnce, 1), 40);
}
