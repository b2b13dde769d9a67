#include "FileCopy.h"
#include "OutputFile.h"

#include "TestMedia.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <unistd.h>

namespace {

using TestMedia::readAll;
using TestMedia::write;
// An input, two older outputs, and the input again under an output's name: a hard link and a
// symbolic one.
class OutputFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(write(in, content) && write(dir.filePath("old.mpg"), "older work")
                    && write(dir.filePath("old (2).mpg"), "more work") && QFile::link(in, dir.filePath("link.mpg")));
        ASSERT_EQ(::link(QFile::encodeName(in).constData(), QFile::encodeName(dir.filePath("hard.mpg")).constData()), 0);
    }
    // Temporary files are hidden; nothing else here is.
    QStringList hiddenLeft() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\."));
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

    TestMedia::TestFolder dir;
    QString in = dir.filePath("in.mov");
    QByteArray content = QByteArray(3 * 1024 * 1024, 'x') + QByteArray("\0tail", 5);
    std::atomic<bool> stop{false};
};

}

TEST_F(OutputFileTest, ATakenNameIsRefusedNumberedOrReplacedButTheInputIsNeverReplaced)
{
    const struct {
        const char* name;
        const char* to;
        NameTaken rule;
        QString error, placed, old;
    } cases[] = {
        {"message", "old.mpg", NameTaken::ShowMessage, "old.mpg already exists", "", "older work"},
        {"keep both", "old.mpg", NameTaken::KeepBoth, "", "old (3).mpg", "older work"},
        {"replace", "old.mpg", NameTaken::Replace, "", "old.mpg", content},
        {"free name", "new.mpg", NameTaken::ShowMessage, "", "new.mpg", "older work"},
        {"hard link of the input", "hard.mpg", NameTaken::Replace, "written over itself", "", "older work"},
        {"link to the input", "link.mpg", NameTaken::ShowMessage, "written over itself", "", "older work"},
        {"input kept both", "hard.mpg", NameTaken::KeepBoth, "", "hard (2).mpg", "older work"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        SetUp();
        const QString error = copy(dir.filePath(c.to), c.rule);
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.contains(c.error)) << error.toStdString();
        if (!c.placed.isEmpty()) {
            EXPECT_EQ(readAll(dir.filePath(c.placed)), content);
        }
        EXPECT_EQ(readAll(dir.filePath("old.mpg")), c.old);
        EXPECT_EQ(readAll(dir.filePath("old (2).mpg")), "more work");
        EXPECT_EQ(readAll(in), content);
        EXPECT_EQ(hiddenLeft(), QStringList());
    }
}

TEST_F(OutputFileTest, AFailedOrStoppedCopyLeavesNothingBehind)
{
    const QString error = [&] {
        // The copy fails after its first megabyte, as on a full disk.
        const TestMedia::FileSizeLimit limit(1024 * 1024);
        return copy(dir.filePath("full.mpg"), NameTaken::ShowMessage);
    }();
    EXPECT_TRUE(error.contains(dir.filePath("full.mpg"))) << error.toStdString();

    stop = true;
    {
        OutputFile file(dir.filePath("stopped.mpg"));
        EXPECT_EQ(copyFileInto(in, file, stop), std::nullopt);
        EXPECT_LT(QFileInfo(file.temporaryPath()).size(), content.size());
    }
    EXPECT_EQ(hiddenLeft(), QStringList());
    EXPECT_FALSE(QFile::exists(dir.filePath("full.mpg")) || QFile::exists(dir.filePath("stopped.mpg")));
}
