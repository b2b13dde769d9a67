#include "Translations.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widget tests run offscreen, and in a home of their own so that the user's real preferences
// and folders are never touched: the store lands in <home>/.config/mpgfix/mpgfix.conf and the
// videos folder is <home>/Videos.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_VIDEOS_DIR");
    QApplication app(argc, argv);
    // English as the app speaks it, plural forms and all.
    const Translations english(QLocale(QLocale::English));
    testing::InitGoogleTest(&argc, argv);
    return home.isValid() ? RUN_ALL_TESTS() : 2;
}
