#include "Translations.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// A German locale gets mpgfix's own German, the window's and the jobs' texts alike, and Qt's; a
// language without a translation stays English.
TEST(TranslationsTest, TheLocalesLanguageReachesEveryRoomAndQtsOwnTexts)
{
    EXPECT_FALSE(Translations(QLocale("en_US")).hasApp());
    const Translations translations(QLocale("de_DE"));
    EXPECT_TRUE(translations.hasApp());
    const auto german = [](const char* context, const char* text) { return QCoreApplication::translate(context, text); };
    EXPECT_EQ(german("StatusArea", "Drop a video file here to fix it."),
              "Legen Sie eine Videodatei hier ab, um sie zu korrigieren.");
    EXPECT_EQ(german("MainWindow", "&File"), "&Datei");
    EXPECT_EQ(german("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(german("FixJob", "%1 no longer exists."), "%1 existiert nicht mehr.");
}
