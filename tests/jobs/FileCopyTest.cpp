#include "FileCopy.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class FileCopyTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString in = dir.filePath("in.mov");
    QString outDir = dir.filePath("out");
    QString out = outDir + "/in.mpg";
    QByteArray content = QByteArray(3 * 1024 * 1024 + 17, 'x') + QByteArray("\0tail", 5);

    void SetUp() override
    {
        write(in, content);
        ASSERT_TRUE(QDir().mkpath(outDir));
    }
};

}

TEST_F(FileCopyTest, CopiesByteForByte)
{
    EXPECT_EQ(copyFile(in, out), std::nullopt);
    EXPECT_EQ(readAll(out), content);
    EXPECT_EQ(entries(outDir), QStringList{"in.mpg"});
}

TEST_F(FileCopyTest, RefusesAnExistingDestinationAndLeavesItUnchanged)
{
    write(out, "keep me");
    const auto error = copyFile(in, out);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->description.contains("in.mov")) << error->description.toStdString();
    EXPECT_TRUE(error->description.contains(out)) << error->description.toStdString();
    EXPECT_EQ(readAll(out), "keep me");
    EXPECT_EQ(entries(outDir), QStringList{"in.mpg"});
}

TEST_F(FileCopyTest, FailuresLeaveNothingBehind)
{
    struct Case {
        const char* what;
        QString source;
        QString destination;
    };
    write(dir.filePath("plain"), "a file, not a folder");
    const Case cases[] = {
        {"missing source", dir.filePath("missing.mov"), out},
        {"folder as source", outDir, outDir + "/folder.mpg"},
        {"destination folder missing", in, dir.filePath("nowhere/in.mpg")},
        {"destination through a file", in, dir.filePath("plain/in.mpg")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto error = copyFile(c.source, c.destination);
        ASSERT_TRUE(error.has_value());
        EXPECT_FALSE(error->description.isEmpty());
        EXPECT_FALSE(QFile::exists(c.destination));
        EXPECT_TRUE(entries(outDir).isEmpty());
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
    const auto error = copyFile(in, out);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(entries(outDir).isEmpty()) << entries(outDir).join(", ").toStdString();
}
