#include "FileCopy.h"

#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class FileCopyTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(write(in, content) && write(dir.filePath("plain"), "a file")); }
    QStringList left() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    TestMedia::TestFolder dir;
    QString in = dir.filePath("in.mov");
    QByteArray content = QByteArray(3 * 1024 * 1024, 'x') + QByteArray("\0tail", 5);
};

}

TEST_F(FileCopyTest, CopiesByteForByte)
{
    EXPECT_EQ(copyFile(in, dir.filePath("in.mpg")), std::nullopt);
    EXPECT_EQ(readAll(dir.filePath("in.mpg")), content);
}

TEST_F(FileCopyTest, FailuresReplaceNothingAndLeaveNothingBehind)
{
    ASSERT_TRUE(write(dir.filePath("in.mpg"), "older work"));
    const struct {
        const char* what;
        QString source, destination;
    } cases[] = {
        {"destination exists", in, dir.filePath("in.mpg")},
        {"missing source", dir.filePath("missing.mov"), dir.filePath("new.mpg")},
        {"folder as source", dir.path(), dir.filePath("new.mpg")},
        {"destination through a file", in, dir.filePath("plain/in.mpg")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto error = copyFile(c.source, c.destination);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->description.contains(c.destination)) << error->description.toStdString();
        EXPECT_EQ(left(), (QStringList{"in.mov", "in.mpg", "plain"}));
        EXPECT_EQ(readAll(dir.filePath("in.mpg")), "older work");
    }
}

TEST_F(FileCopyTest, AFailureHalfWayLeavesNoPartialFile)
{
    // A file-size limit makes the copy fail after its first megabyte, as a full disk would.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 1024 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto error = copyFile(in, dir.filePath("in.mpg"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(error.has_value());
    EXPECT_EQ(left(), (QStringList{"in.mov", "plain"}));
}
