#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// In a home of their own, so that the user's real preferences are never touched: the store
// lands in <home>/.config/mpgfix/mpgfix.conf.
int main(int argc, char** argv)
{
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_VIDEOS_DIR");
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return home.isValid() ? RUN_ALL_TESTS() : 2;
}
