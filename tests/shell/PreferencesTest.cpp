#include "ShellFixture.h"

using PreferencesTest = ShellTest;

// The launch on an empty store, then a stored value as a later launch registers, repairs and
// shows it: registration writes nothing, a value hides only its own key's default, a "path"
// without a string form is replaced and written, and showing a value never stores it. What a
// job reads is what the window shows: a bitrate within the slider's range, an absolute folder.
TEST_F(PreferencesTest, StoredValueOverTheDefaultsAsTheWindowShowsIt)
{
    const QString home = QDir::homePath(), videos = home + "/Videos";
    const struct { QString key; QVariant stored; int megabits; QString button, folder; NameTaken taken; QString storedLine; } cases[] = {
        {"", {}, 6, "Videos", videos, NameTaken::ShowMessage, ""},
        {Preferences::bitrateKey, 42, 9, "Videos", videos, NameTaken::ShowMessage, "bitrate=42"},
        {Preferences::bitrateKey, 0, 1, "Videos", videos, NameTaken::ShowMessage, "bitrate=0"},
        {Preferences::pathKey, "/srv/dvd/", 6, "dvd", "/srv/dvd", NameTaken::ShowMessage, "path=/srv/dvd/"},
        {Preferences::pathKey, "/srv/Tom & Jerry", 6, "Tom && Jerry", "/srv/Tom & Jerry", NameTaken::ShowMessage, "path=/srv/Tom & Jerry"},
        {Preferences::pathKey, "~/dvd", 6, "dvd", home + "/dvd", NameTaken::ShowMessage, "path=~/dvd"},
        {Preferences::pathKey, "~", 6, QFileInfo(home).fileName(), home, NameTaken::ShowMessage, "path=~\n"},
        {Preferences::pathKey, "", 6, "Videos", videos, NameTaken::ShowMessage, "path=\n"},
        {Preferences::pathKey, "dvd", 6, "Videos", videos, NameTaken::ShowMessage, "path=dvd"},
        {Preferences::pathKey, QStringList{"/a", "/b"}, 6, "Videos", videos, NameTaken::ShowMessage, "path=" + videos},
        {Preferences::takenKey, "keep", 6, "Videos", videos, NameTaken::KeepBoth, "taken=keep"},
        {Preferences::takenKey, "replace", 6, "Videos", videos, NameTaken::Replace, "taken=replace"},
        {Preferences::takenKey, "rename", 6, "Videos", videos, NameTaken::ShowMessage, "taken=rename"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedLine.toStdString());
        if (!c.key.isEmpty()) {
            userStore().clear();
            userStore().setValue(c.key, c.stored);
            appDelegate->initQueue();
            appDelegate->resetUI();
        }
        const Preferences& job = appDelegate->preferences();
        EXPECT_EQ(appDelegate->bitrateSlider()->value(), c.megabits);
        EXPECT_EQ(job.bitrate(), c.megabits);
        EXPECT_EQ(appDelegate->pathButton()->text(), c.button);
        EXPECT_EQ(job.path(), c.folder);
        EXPECT_EQ(appDelegate->takenCombo()->currentIndex(), int(c.taken));
        EXPECT_EQ(job.nameTaken(), c.taken);
        EXPECT_EQ(userStore().allKeys(), c.key.isEmpty() ? QStringList() : QStringList{c.key});
        EXPECT_TRUE(storedText().contains(c.storedLine.toUtf8())) << storedText().toStdString();
    }
}

// Each control's change is on disk at once, in the words read above; the label shows the
// value read back from the slider.
TEST_F(PreferencesTest, ControlsStoreAndSync)
{
    QSlider* slider = appDelegate->bitrateSlider();
    QCheckBox* force = appDelegate->forceCheck();
    QComboBox* taken = appDelegate->takenCombo();
    const struct { QWidget* control; Qt::Key key; const char* storedLine; } changes[] = {
        {slider, Qt::Key_Right, "bitrate=7"}, {slider, Qt::Key_End, "bitrate=9"}, {slider, Qt::Key_Right, "bitrate=9"},
        {slider, Qt::Key_Home, "bitrate=1"}, {force, Qt::Key_Space, "force=true"}, {force, Qt::Key_Space, "force=false"},
        {taken, Qt::Key_End, "taken=replace"}, {taken, Qt::Key_Up, "taken=keep"}, {taken, Qt::Key_Up, "taken=message"},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.storedLine);
        QTest::keyClick(c.control, c.key);
        EXPECT_TRUE(storedText().contains(c.storedLine));
        EXPECT_EQ(appDelegate->bitrateDescription()->text(), QString("%1Mbps").arg(slider->value()));
    }
}
