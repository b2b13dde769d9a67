#include "FolderOpener.h"

#include "EventLoop.h"
#include "TestMedia.h"

#include <QFile>

#include <gtest/gtest.h>

// Without the file manager's service, xdg-open opens the folder, and only when it fails or is
// missing does the window hear of it.
TEST(FolderOpener, SaysWhenNoFileManagerOpensTheFolder)
{
    TestMedia::TestFolder tools;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toUtf8());
    for (const auto& [opener, fails] : {std::pair<QByteArray, bool>{"[ \"$1\" = file:///videos ] || exit 4", false},
                                        {"exit 3", true}, {{}, true}}) {
        QFile::remove(tools.filePath("xdg-open"));
        ASSERT_TRUE(opener.isEmpty()
                    || (TestMedia::write(tools.filePath("xdg-open"), "#!/bin/sh\n" + opener + "\n")
                        && QFile::setPermissions(tools.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner)));
        FolderOpener folders(QDBusConnection(QStringLiteral("none")));
        QStringList failed;
        QObject::connect(&folders, &FolderOpener::failed, [&](const QString& folder) { failed << folder; });
        folders.showFile("/videos/a.mpg");
        // A success is only the absence of a failure within a while.
        spinUntil([&] { return !failed.isEmpty(); }, fails ? 5000 : 1000);
        EXPECT_EQ(failed, fails ? QStringList{"/videos"} : QStringList{}) << opener.toStdString();
    }
    qputenv("PATH", path);
}
