#include "Preferences.h"
#include "ShellFixture.h"

#include <QFileInfo>

#include <atomic>
#include <thread>

namespace {

using PreferencesTest = EmptyStore;

TEST_F(PreferencesTest, StoreIsTheUsersMpgfixConf)
{
    EXPECT_EQ(userStore().fileName(), QDir::homePath() + "/.config/mpgfix/mpgfix.conf");
}

TEST_F(PreferencesTest, FirstLaunchReadsDefaultsAndWritesNothing)
{
    Preferences preferences;
    preferences.registerDefaults();
    preferences.repairPath();
    preferences.registerDefaults();
    preferences.repairPath();

    EXPECT_FALSE(preferences.force());
    EXPECT_EQ(preferences.bitrate(), 6);
    EXPECT_EQ(preferences.path(), videosFolder());
    EXPECT_TRUE(userStore().allKeys().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(userStore().fileName()));
}

TEST_F(PreferencesTest, UserValueHidesOnlyItsOwnDefault)
{
    const struct {
        QString key;
        QVariant userValue;
    } cases[] = {
        {Preferences::forceKey, true},
        {Preferences::bitrateKey, 8},
        {Preferences::pathKey, QStringLiteral("/srv/dvd")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        SetUp();
        userStore().setValue(c.key, c.userValue);
        Preferences preferences;
        preferences.registerDefaults();
        preferences.repairPath();

        EXPECT_EQ(preferences.force(), c.key == Preferences::forceKey);
        EXPECT_EQ(preferences.bitrate(), c.key == Preferences::bitrateKey ? 8 : 6);
        EXPECT_EQ(preferences.path(), c.key == Preferences::pathKey ? "/srv/dvd" : videosFolder());
        EXPECT_EQ(userStore().allKeys(), QStringList{c.key}) << "registration left the store alone";
    }
}

TEST_F(PreferencesTest, StringReadOfEachKind)
{
    const struct {
        const char* name;
        QVariant stored;
        std::optional<QString> expected;
    } cases[] = {
        {"string", QStringLiteral("/srv/dvd"), QStringLiteral("/srv/dvd")},
        {"empty string", QString(), QString()},
        {"integer", 42, QStringLiteral("42")},
        {"list", QStringList{"/a", "/b"}, std::nullopt},
        {"map", QVariantMap{{"folder", "/a"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        userStore().setValue(QStringLiteral("path"), c.stored);
        EXPECT_EQ(Preferences().stringForKey(Preferences::pathKey), c.expected);
    }
}

TEST_F(PreferencesTest, PathWithoutStringFormIsRepairedAndWritten)
{
    const QVariant notStrings[] = {QStringList{"/a", "/b"}, QVariantMap{{"folder", "/a"}}};
    for (const QVariant& stored : notStrings) {
        SCOPED_TRACE(stored.typeName());
        SetUp();
        userStore().setValue(QStringLiteral("path"), stored);
        Preferences preferences;
        preferences.registerDefaults();
        preferences.repairPath();

        EXPECT_EQ(preferences.path(), videosFolder());
        QFile file(userStore().fileName());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains(("path=" + videosFolder()).toUtf8()));
    }
}

// The fix job reads on its worker while the window writes: every read is one whole value.
TEST_F(PreferencesTest, WorkerReadsWholeValuesWhileTheWindowWrites)
{
    Preferences preferences;
    preferences.registerDefaults();
    std::atomic<bool> writing{true};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        while (writing) {
            const qint64 bitrate = preferences.bitrate();
            const QString path = preferences.path();
            if ((bitrate != 6 && bitrate != 3 && bitrate != 7) ||
                (path != videosFolder() && path != "/srv/a" && path != "/srv/b"))
                ++torn;
        }
    });
    for (int i = 0; i < 30; ++i) {
        preferences.setInteger(Preferences::bitrateKey, i % 2 ? 3 : 7);
        preferences.setString(Preferences::pathKey, i % 2 ? "/srv/a" : "/srv/b");
    }
    writing = false;
    worker.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
