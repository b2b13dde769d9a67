#include "FileCopy.h"
#include "OutputFile.h"

#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using TestMedia::readAll;

// An input, two older outputs, and the input again under an output's name through a hard link.
class OutputFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestMedia::write(in, content) && TestMedia::write(dir.filePath("old.mpg"), "older work") &&
                    TestMedia::write(dir.filePath("old (2).mpg"), "more work"));
        ASSERT_EQ(::link(QFile::encodeName(in).constData(), QFile::encodeName(dir.filePath("in.mpg")).constData()), 0);
    }
    // The job's copy: checked, written to the temporary file, then given its final name.
    QString copy(const QString& to, NameTaken rule)
    {
        if (const auto refusal = OutputFile::refusal(to, in, rule))
            return refusal->description;
        OutputFile file(to);
        const auto error = copyFileInto(in, file, stop);
        const auto placed = error ? error : file.moveIntoPlace(rule, in);
        return placed ? placed->description : QString();
    }
    // Temporary files are hidden; nothing else here is.
    QStringList hiddenFiles() const { return QDir(dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden); }

    TestMedia::TestFolder dir;
    QString in = dir.filePath("in.mov");
    QByteArray content = QByteArray(3 * 1024 * 1024, 'x') + QByteArray("\0tail", 5);
    std::atomic<bool> stop{false};
};

}

TEST_F(OutputFileTest, ATakenNameIsNumberedOrReplacedButTheInputIsNeverReplaced)
{
    const struct { const char* to; NameTaken rule; QString error, placed; } cases[] = {
        {"free.mpg", NameTaken::KeepBoth, "", "free.mpg"},
        {"old.mpg", NameTaken::KeepBoth, "", "old (3).mpg"},
        {"old.mpg", NameTaken::Replace, "", "old.mpg"},
        {"in.mpg", NameTaken::Replace, "in.mpg would be written over itself", ""},
        {"in.mpg", NameTaken::KeepBoth, "", "in (2).mpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placed.toStdString());
        const QString error = copy(dir.filePath(c.to), c.rule);
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.contains(c.error)) << error.toStdString();
        EXPECT_TRUE(c.placed.isEmpty() || readAll(dir.filePath(c.placed)) == content);
        EXPECT_EQ(readAll(dir.filePath("old.mpg")) == "older work", c.placed != "old.mpg");
        EXPECT_EQ(readAll(dir.filePath("old (2).mpg")), "more work");
        EXPECT_EQ(hiddenFiles(), QStringList());
        TestMedia::write(dir.filePath("old.mpg"), "older work");
        QFile::remove(dir.filePath("old (3).mpg"));
    }
    EXPECT_EQ(readAll(dir.filePath("in.mpg")), content);
}

// A copy that fails, or is stopped, leaves nothing; a stop ends even a long copy within a fraction
// of a second.
TEST_F(OutputFileTest, AFailedOrStoppedCopyLeavesNothingBehind)
{
    const QString error = [&] {
        // The copy fails after its first megabyte, as on a full disk.
        const TestMedia::FileSizeLimit limit(1024 * 1024);
        return copy(dir.filePath("full.mpg"), NameTaken::ShowMessage);
    }();
    EXPECT_TRUE(error.contains(dir.filePath("full.mpg"))) << error.toStdString();

    ASSERT_TRUE(QFile(in).resize(qint64(2) << 30));
    {
        OutputFile file(dir.filePath("stopped.mpg"));
        std::atomic<std::chrono::steady_clock::time_point> stopped;
        const std::jthread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            stopped = std::chrono::steady_clock::now();
            stop = true;
        });
        EXPECT_EQ(copyFileInto(in, file, stop), std::nullopt);
        EXPECT_LT(std::chrono::steady_clock::now() - stopped.load(), std::chrono::milliseconds(500));
        EXPECT_LT(QFileInfo(file.temporaryPath()).size(), qint64(2) << 30);
    }
    EXPECT_EQ(hiddenFiles(), QStringList());
    EXPECT_FALSE(QFile::exists(dir.filePath("full.mpg")) || QFile::exists(dir.filePath("stopped.mpg")));
}

// A copy gets the mode a new file gets, not the source's; a name that fits as it is fits while the
// file is written, too (80 CJK characters take 240 of the 255 bytes a name may have).
TEST_F(OutputFileTest, OutputsGetANewFilesModeAndAnyNameThatFits)
{
    const mode_t umask = ::umask(022);
    ASSERT_EQ(::chmod(QFile::encodeName(in).constData(), 0777), 0);
    const QString name = dir.filePath(QString(80, QChar(0x65E5)) + ".mpg");
    EXPECT_EQ(copy(name, NameTaken::ShowMessage), QString());
    struct stat status = {};
    EXPECT_EQ(::stat(QFile::encodeName(name).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
    ::umask(umask);
}

// Replace is for files that were there before: a name this process itself wrote keeps its file,
// and the new one takes the next free number (holiday.mov and holiday.mpg both stay).
TEST_F(OutputFileTest, ReplaceNeverReplacesTheSessionsOwnOutput)
{
    const auto place = [&](NameTaken rule) {
        OutputFile file(dir.filePath("old.mpg"));
        EXPECT_EQ(copyFileInto(in, file, stop), std::nullopt);
        EXPECT_EQ(file.moveIntoPlace(rule, in), std::nullopt);
        return std::pair(QFileInfo(file.finalPath()).fileName(), file.keptOwnOutput());
    };
    EXPECT_EQ(place(NameTaken::Replace), std::pair(QString("old.mpg"), false));
    EXPECT_EQ(place(NameTaken::Replace), std::pair(QString("old (3).mpg"), true));
    EXPECT_EQ(place(NameTaken::KeepBoth), std::pair(QString("old (4).mpg"), false));
    EXPECT_EQ(readAll(dir.filePath("old (2).mpg")), "more work");
}
