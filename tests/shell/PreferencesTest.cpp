#include "ShellFixture.h"

using PreferencesTest = ShellTest;

// The launch on an empty store, then a stored value as a later launch registers, repairs and
// shows it: registration writes nothing, a value hides only its own key's default, a "path"
// without a string form is replaced and written, and showing a value never stores it.
TEST_F(PreferencesTest, StoredValueOverTheDefaultsAsTheWindowShowsIt)
{
    const struct { QString key; QVariant stored; bool force; int slider; QString button, storedLine; } cases[] = {
        {"", {}, false, 6, "Videos", ""},
        {Preferences::forceKey, true, true, 6, "Videos", "force=true"},
        {Preferences::bitrateKey, 8, false, 8, "Videos", "bitrate=8"},
        {Preferences::bitrateKey, 42, false, 9, "Videos", "bitrate=42"},
        {Preferences::pathKey, "/srv/dvd/", false, 6, "dvd", "path=/srv/dvd/"},
        {Preferences::pathKey, "/", false, 6, "/", "path=/\n"},
        {Preferences::pathKey, 42, false, 6, "42", "path=42"},
        {Preferences::pathKey, QStringList{"/a", "/b"}, false, 6, "Videos", "path=" + videosFolder()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedLine.toStdString());
        if (!c.key.isEmpty()) {
            userStore().clear();
            userStore().setValue(c.key, c.stored);
            appDelegate->initQueue();
            appDelegate->resetUI();
        }
        EXPECT_EQ(appDelegate->forceCheck()->isChecked(), c.force);
        EXPECT_EQ(appDelegate->bitrateSlider()->value(), c.slider);
        EXPECT_EQ(appDelegate->bitrateDescription()->text(), QString("%1Mbps").arg(c.slider));
        EXPECT_EQ(appDelegate->pathButton()->text(), c.button);
        EXPECT_EQ(userStore().allKeys(), c.key.isEmpty() ? QStringList() : QStringList{c.key});
        EXPECT_TRUE(storedText().contains(c.storedLine.toUtf8())) << storedText().toStdString();
    }
}

// The label shows the value read back from the slider; every change is on disk at once.
TEST_F(PreferencesTest, SliderAndCheckBoxStoreAndSync)
{
    const struct { Qt::Key key; int megabits; } moves[] = {{Qt::Key_Right, 7}, {Qt::Key_End, 9}, {Qt::Key_Right, 9}, {Qt::Key_Home, 1}};
    for (const auto& move : moves) {
        SCOPED_TRACE(move.megabits);
        QTest::keyClick(appDelegate->bitrateSlider(), move.key);
        EXPECT_TRUE(storedText().contains("bitrate=" + QByteArray::number(move.megabits)));
        EXPECT_EQ(appDelegate->bitrateDescription()->text(), QString("%1Mbps").arg(move.megabits));
    }
    for (const char* stored : {"force=true", "force=false"}) {
        appDelegate->forceCheck()->click();
        EXPECT_TRUE(storedText().contains(stored));
    }
}
