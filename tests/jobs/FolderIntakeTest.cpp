#include "FolderIntake.h"
#include "FolderScan.h"

#include "EventLoop.h"

#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

TEST(FolderIntake, AFolderStandsForItsVideosAtAnyDepthInNameOrder)
{
    TestMedia::TestFolder dir;
    const QStringList made = {"vids/b.MOV", "vids/a/z.mkv", "vids/C.avi", "vids/notes.txt", "vids/.hidden.mp4",
                              "vids/.partial/x.mp4", "vids/cover.jpg", "empty/readme.txt", "single.avi"};
    for (const QString& name : made)
        ASSERT_TRUE(QDir().mkpath(QFileInfo(dir.filePath(name)).path()) && TestMedia::write(dir.filePath(name), "x"));
    QFile::link(dir.filePath("vids/a"), dir.filePath("vids/loop"));
    const QStringList dropped = {dir.filePath("single.avi"), dir.filePath("vids"), dir.filePath("empty")};
    const QStringList expected = {dir.filePath("single.avi"), dir.filePath("vids/a/z.mkv"), dir.filePath("vids/b.MOV"),
                                  dir.filePath("vids/C.avi"), dir.filePath("empty")};
    EXPECT_EQ(expandFolders(dropped), expected);

    // Found off the GUI thread, the same files come in the same order, a later scan's after;
    // what a scan passed over is said once, at its end.
    FolderScan scan;
    QStringList found;
    QList<QStringList> leftOut;
    QObject::connect(&scan, &FolderScan::found, [&](const QStringList& files) { found << files; });
    QObject::connect(&scan, &FolderScan::leftOut, [&](const QStringList& files) { leftOut << files; });
    scan.scan(dropped.mid(1));
    scan.scan(dropped.mid(0, 1));
    EXPECT_TRUE(spinUntil([&] { return found.size() == expected.size(); }));
    EXPECT_EQ(found, expected.mid(1) + expected.mid(0, 1));
    EXPECT_EQ(leftOut, QList<QStringList>{QStringList({dir.filePath("vids/cover.jpg"), dir.filePath("vids/notes.txt"),
                                                       dir.filePath("empty/readme.txt")})});
}
