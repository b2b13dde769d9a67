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

// A batch run's options reach its jobs as the window's would, over defaults that are the same
// for whoever runs it; nobody is there to wait for after a failure. Where it would have to guess
// (no folder to write into), it is a usage mistake in one line.
TEST(CommandLineTest, ABatchRunLaysItsOptionsOverFixedDefaults)
{
    const struct { QStringList arguments; int status; OutputOptions output; NameTaken taken; int jobs; QString list; }
    cases[] = {
        {{"--bitrate", "3", "--if-taken", "replace", "--keep-proportions", "--jobs", "40", "a.mp4"}, 0,
         {.videoKbps = 3000, .keepProportions = true}, NameTaken::Replace, 40, ""},
        {{"a.mp4"}, 0, {.videoKbps = 6000}, NameTaken::ShowMessage, 1, ""},
        {{"--if-taken", "skip", "--files-from", "-", "--null"}, 0, {}, NameTaken::ShowMessage, 1, "-"},
        {{"--if-taken", "message", "--files-from", "l"}, 0, {}, NameTaken::ShowMessage, 1, QDir::currentPath() + "/l"},
        {{"--null", "a.mp4"}, 2, {}, {}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line(QStringList{"mpgfix", "--batch", "--output", "/o"} + c.arguments);
        EXPECT_EQ(line.exitCode(), c.status);
        if (c.status != 0)
            continue;
        ASSERT_TRUE(line.batch());
        const JobSettings job = line.batch()->over(Options::defaultSettings());
        EXPECT_TRUE(c.output.videoKbps == 0 || job.output == c.output);
        EXPECT_EQ(std::tuple(job.folder, job.nameTaken, job.waitOnFailure, line.batch()->filesFrom),
                  std::tuple("/o", c.taken, false, c.list));
        EXPECT_EQ(line.batch()->valueOf(Options::filesAtOnce), c.jobs);
    }
    const CommandLine unguessed({"mpgfix", "--batch", "a.mp4"});
    EXPECT_EQ(std::pair(unguessed.exitCode(), unguessed.errors().count('\n')), std::pair(2, qsizetype(1)));
}
