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
    const struct { const char* opener; bool fails; } cases[] = {
        {"#!/bin/sh\n[ \"$1\" = file:///videos ] && exit 0; exit 4\n", false},
        {"#!/bin/sh\nexit 3\n", true},
        {nullptr, true},
    };
    for (const auto& c : cases) {
        QFile::remove(tools.filePath("xdg-open"));
        if (c.opener) {
            ASSERT_TRUE(TestMedia::write(tools.filePath("xdg-open"), c.opener));
            QFile::setPermissions(tools.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", tools.path().toUtf8());
        FolderOpener opener(QDBusConnection(QStringLiteral("none")));
        QStringList failed;
        QObject::connect(&opener, &FolderOpener::failed, [&](const QString& folder) { failed << folder; });
        opener.showFile("/videos/a.mpg");
        // A success is only the absence of a failure within a while.
        spinUntil([&] { return !failed.isEmpty(); }, c.fails ? 5000 : 1000);
        EXPECT_EQ(failed, c.fails ? QStringList{"/videos"} : QStringList{}) << (c.opener ? c.opener : "none");
        qputenv("PATH", path);
    }
}
