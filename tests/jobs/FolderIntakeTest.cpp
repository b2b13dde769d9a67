#include "FolderIntake.h"
#include "FolderScan.h"
#include "OutputFile.h"

#include "EventLoop.h"

#include "TestMedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

// Within a folder, the output folder (here named by a link to it) and the outputs this process
// wrote are passed over too.
TEST(FolderIntake, AFolderStandsForItsVideosAtAnyDepthInNameOrder)
{
    // In memory where it can be: the disk would take most of the time making the files.
    TestMedia::TestFolder dir(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/scan-XXXXXX" : "");
    QStringList made = {"vids/b.MOV", "vids/a/z.mkv", "vids/C.avi", "vids/notes.txt", "vids/.hidden.mp4",
                        "vids/.partial/x.mp4", "vids/cover.jpg", "empty/readme.txt", "single.avi", "vids/out/x.mp4"};
    for (int i = 0; i < 2000; ++i)
        made << QString("vids/zz/%1").arg(i);
    for (const QString& name : made)
        ASSERT_TRUE(QDir().mkpath(QFileInfo(dir.filePath(name)).path()) && TestMedia::write(dir.filePath(name), "x"));
    QFile::link(dir.filePath("vids/a"), dir.filePath("vids/loop"));
    const QString output = dir.filePath("output");
    QFile::link(dir.filePath("vids/out"), output);
    OutputFile written(dir.filePath("vids/d.mp4"));
    ASSERT_TRUE(written.closeDescriptor() && !written.moveIntoPlace(NameTaken::ShowMessage, {}));
    const QStringList dropped = {dir.filePath("single.avi"), dir.filePath("vids"), dir.filePath("empty")};
    const QStringList expected = {dir.filePath("single.avi"), dir.filePath("vids/a/z.mkv"), dir.filePath("vids/b.MOV"),
                                  dir.filePath("vids/C.avi"), dir.filePath("empty")};
    EXPECT_EQ(expandFolders(dropped, output), expected);

    // Found off the GUI thread, the same files come in the same order, a later scan's after, each
    // at once rather than along with the next: long before the scan is through the files in zz;
    // what a scan passed over is said once, at its end.
    FolderScan scan;
    QStringList found;
    QElapsedTimer clock;
    qint64 firstAt = -1, endedAt = -1;
    QObject::connect(&scan, &FolderScan::found,
                     [&](const QStringList& files) { firstAt = found.isEmpty() ? clock.elapsed() : firstAt, found << files; });
    QList<QStringList> leftOut;
    QObject::connect(&scan, &FolderScan::leftOut, [&](const QStringList& files) { leftOut << files; });
    QObject::connect(&scan, &FolderScan::scanningChanged, [&](bool on) { endedAt = on ? -1 : clock.elapsed(); });
    clock.start();
    scan.scan(dropped.mid(1), output);
    scan.scan(dropped.mid(0, 1));
    EXPECT_TRUE(spinUntil([&] { return endedAt >= 0; }));
    EXPECT_EQ(found, expected.mid(1) + expected.mid(0, 1));
    EXPECT_LT(firstAt, endedAt / 2) << endedAt;
    ASSERT_EQ(leftOut.size(), 1);
    EXPECT_EQ(leftOut[0].mid(0, 2), QStringList({dir.filePath("vids/cover.jpg"), dir.filePath("vids/notes.txt")}));
    EXPECT_EQ(leftOut[0].size(), 2003);
    EXPECT_EQ(leftOut[0].last(), dir.filePath("empty/readme.txt"));
}
