#include "AppDelegate.h"
#include "FailureSheet.h"
#include "JobListView.h"
#include "MainWindow.h"
#include "Options.h"
#include "RoundSummary.h"
#include "StatusArea.h"
#include "Translations.h"
#include "WQDragView.h"
#include "ui_MainWindow.h"

#include "EventLoop.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

// The store as a second reader sees it.
static QSettings userStore() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix"); }

const QString idleText = QStringLiteral("Drop a video file here to fix it.");
constexpr int busyHeightChange = 94;

// The controller with its intake recorded instead of queued.
struct RecordingAppDelegate : AppDelegate {
    using AppDelegate::AppDelegate;
    void openFiles(const QStringList& paths) override { handedOver << paths; }
    QList<QStringList> handedOver;
};

// A launched window, idle, on an empty store as on a first launch.
struct WindowTest : testing::Test {
    void SetUp() override
    {
        userStore().clear();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        appDelegate->applicationDidFinishLaunching();
    }

    MainWindow window;
    std::unique_ptr<RecordingAppDelegate> appDelegate = std::make_unique<RecordingAppDelegate>(window);
};

// From the launch on an empty store, which registration leaves empty: each control's change is
// on disk at once, in its own words; then a stored value as a later launch registers, repairs
// and shows it. A value hides only its own key's default, a "path" without a string form is
// replaced and written, and showing a value never stores it. What a job reads is what the
// window shows: a bitrate within the slider's range, an absolute folder.
TEST_F(WindowTest, PreferencesAreStoredAndReadAsTheWindowShowsThem)
{
    AppDelegate& d = *appDelegate;
    const Ui::MainWindow& ui = window.ui();
    QWidget *slider = ui.bitrateSlider, *force = ui.forceCheck, *taken = ui.takenCombo;
    QWidget *dvd = ui.dvdCheck, *bars = ui.barsCheck;
    const auto press = [](QWidget* control, Qt::Key key) { return [=] { QTest::keyClick(control, key); }; };
    const auto relaunchWith = [&d](const QString& key, const QVariant& value) {
        return [=, &d] { userStore().clear(); userStore().setValue(key, value); d.initQueue(); d.resetUI(); };
    };
    const QString home = QDir::homePath(), videos = home + "/Videos", tom = "/srv/Tom & Jerry";
    constexpr NameTaken ask = NameTaken::ShowMessage;
    // The folder button shows the folder's name, an ampersand doubled so as not to be read as a shortcut.
    const struct { std::function<void()> change; int megabits; QString folder; NameTaken taken; QByteArray store; }
    cases[] = {
        {press(slider, Qt::Key_End), 9, videos, ask, "bitrate=9"},
        {press(slider, Qt::Key_Home), 1, videos, ask, "bitrate=1"},
        {press(force, Qt::Key_Space), 1, videos, ask, "bitrate=1\nforce=true"},
        {press(force, Qt::Key_Space), 1, videos, ask, "bitrate=1\nforce=false"},
        {press(taken, Qt::Key_End), 1, videos, NameTaken::Replace, "bitrate=1\nforce=false\ntaken=replace"},
        {press(taken, Qt::Key_Up), 1, videos, NameTaken::KeepBoth, "bitrate=1\nforce=false\ntaken=keep"},
        {press(taken, Qt::Key_Up), 1, videos, ask, "bitrate=1\nforce=false\ntaken=message"},
        {press(dvd, Qt::Key_Space), 1, videos, ask, "bitrate=1\ndvd=true\nforce=false\ntaken=message"},
        {press(bars, Qt::Key_Space), 1, videos, ask, "bars=true\nbitrate=1\ndvd=true\nforce=false\ntaken=message"},
        {relaunchWith("bitrate", 42), 9, videos, ask, "bitrate=42"},
        {relaunchWith("bitrate", 0), 1, videos, ask, "bitrate=0"},
        {relaunchWith("bitrate", qint64(4294967297)), 9, videos, ask, "bitrate=4294967297"},
        {relaunchWith("path", tom + "/"), 6, tom, ask, "path=" + tom.toUtf8() + "/"},
        {relaunchWith("path", "~/dvd"), 6, home + "/dvd", ask, "path=~/dvd"},
        {relaunchWith("path", "~"), 6, home, ask, "path=~"},
        {relaunchWith("path", "dvd"), 6, videos, ask, "path=dvd"},
        {relaunchWith("path", "~tom/dvd"), 6, videos, ask, "path=~tom/dvd"},
        {relaunchWith("path", QStringList{"/a", "/b"}), 6, videos, ask, "path=" + videos.toUtf8()},
        {relaunchWith("taken", "rename"), 6, videos, ask, "taken=rename"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.store.toStdString());
        c.change();
        const JobSettings job = d.preferences().jobSettings();
        EXPECT_EQ(std::tuple(job.output.videoKbps, job.folder, job.nameTaken), std::tuple(c.megabits * 1000, c.folder, c.taken));
        EXPECT_EQ(std::tuple(ui.bitrateSlider->value(), ui.bitrateDescription->text(), ui.takenCombo->currentIndex()),
                  std::tuple(c.megabits, QString("%1 Mbps").arg(c.megabits), int(c.taken)));
        EXPECT_EQ(ui.pathButton->text(), QFileInfo(c.folder).fileName().replace("&", "&&"));
        EXPECT_EQ(TestMedia::readAll(userStore().fileName()), "[General]\n" + c.store + "\n");
    }
}

// The states of a job's display from the launch on. A file name shows as it is, never as
// markup; the bar shows fractions outside 0..1 clamped; only while busy can the running file be
// cancelled; the frame change aims from where the window is headed, so a job that ends while it
// still shrinks returns it to the idle frame, and it keeps what the user resized during a job.
TEST_F(WindowTest, DisplayOperationsSwitchBetweenIdleAndBusy)
{
    AppDelegate& d = *appDelegate;
    const Ui::MainWindow& ui = window.ui();
    StatusArea& status = d.status();
    const QString clip = "/Volumes/Media/<h1>clip one.mov", transcoding = "Transcoding <h1>clip one.mov...";
    const QSize grown(20, 30);
    const struct { std::function<void()> act; QString status; bool busy; int bar; QSize grown = {0, 0}; } steps[] = {
        {[] {}, idleText, false, 0},
        {[&] { status.showAnalyzing(clip); }, "Analyzing <h1>clip one.mov...", true, 0},
        {[&] { status.showProgress(0.4206); status.showTranscoding(clip); }, transcoding, true, 421},
        {[&] { status.showProgress(1.7); }, transcoding, true, 1000},
        {[&] { status.showProgress(NAN); }, transcoding, true, 0},
        {[&] { window.resize(window.size() + grown); status.showCopying(clip); },
         "Copying <h1>clip one.mov...", true, 0, grown},
        {[&] { status.endJob(); }, idleText, false, 0, grown},
        {[&] { status.showAnalyzing(clip); status.endJob(); }, idleText, false, 0, grown},
    };
    const auto* change = appDelegate->findChild<QAbstractAnimation*>();
    const QRect idleFrame = window.geometry();
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(std::tuple(ui.description->text(), ui.description->textFormat(), ui.progress->isVisible(),
                             ui.progress->value(), ui.optionBox->isVisible(), ui.quitItem->isEnabled(),
                             ui.cancelButton->isVisible(), ui.cancelItem->isEnabled()),
                  std::tuple(s.status, Qt::PlainText, s.busy, s.bar, !s.busy, !s.busy, s.busy, s.busy));
        const QRect frame = idleFrame.adjusted(0, 0, s.grown.width(), s.grown.height() - s.busy * busyHeightChange);
        const auto done = [&] { return change->state() == QAbstractAnimation::Stopped && window.geometry() == frame; };
        EXPECT_TRUE(spinUntil(done)) << "step " << &s - steps;
    }
    ui.quitItem->trigger();
    EXPECT_FALSE(window.isVisible());
}

// Drags in a row over the launched window, its view or elsewhere, each carrying some text as well: a drag
// holds its local files while it is over the view, and is refused without any; it ends in a
// drop or by leaving; only the drop of files hands anything over, once, in the drag's order.
TEST_F(WindowTest, OnlyADropOfFilesOnItsViewHandsThemOverOnceInTheirOrder)
{
    const QStringList dropped{"/clips/b.mov", "/clips/a folder", "/clips/c.avi"};
    const QStringList urls{"file:///clips/b.mov", "file:///clips/a folder", "file:///clips/c.avi"};
    WQDragView* view = window.ui().dragView;
    const struct { const char* drag; QWidget* target; QStringList urls, held; bool drops; } drags[] = {
        {"three files dropped beside the view", &window, urls, dropped, true},
        {"a file that passes over and leaves", view, {"file:///clips/d.mp4"}, {"/clips/d.mp4"}, false},
        {"text and a web address dropped", view, {"https://example.org/clip.mp4"}, {}, true},
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(d.drag);
        QMimeData data;
        data.setText("just some words");
        data.setUrls(QUrl::fromStringList(d.urls));
        QDragEnterEvent enter(view->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(d.target, &enter);
        EXPECT_EQ(std::pair(enter.isAccepted(), view->files()), std::pair(!d.held.isEmpty(), d.held));
        QDropEvent drop(QPointF(view->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragLeaveEvent leave;
        QApplication::sendEvent(d.target, d.drops ? static_cast<QEvent*>(&drop) : &leave);
        EXPECT_TRUE(view->files().isEmpty());
        EXPECT_EQ(appDelegate->handedOver, QList<QStringList>{dropped});
    }
}

// Every control tells a screen reader its name and purpose, the bitrate with its unit. A long
// folder name shrinks on its button, stays whole in its tooltip and spoken name, and neither
// widens the window nor holds it wide.
TEST_F(WindowTest, ControlsAreNamedAndALongFolderNeverWidensTheWindow)
{
    AppDelegate& d = *appDelegate;
    const Ui::MainWindow& ui = window.ui();
    const int width = window.width();
    const QString folder = "/srv/" + QString(240, u'x');
    userStore().setValue("path", folder);
    d.resetUI();
    QApplication::processEvents();
    QList<QWidget*> controls{ui.dragView, ui.progress, ui.cancelButton, ui.jobList};
    for (const Option* option : Options::all())
        controls << window.findChild<QWidget*>(option->control);
    for (QWidget* control : controls) {
        const QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        EXPECT_FALSE(spoken->text(QAccessible::Name).isEmpty() || spoken->text(QAccessible::Description).isEmpty())
            << control->objectName().toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui.bitrateSlider)->text(QAccessible::Value), "6 Mbps");
    const QPushButton* path = ui.pathButton;
    EXPECT_EQ(std::tuple(path->toolTip(), path->accessibleName().endsWith(folder), path->text().contains(u'…')),
              std::tuple(folder, true, true));
    EXPECT_TRUE(window.width() == width && window.minimumSizeHint().width() < width);
}

// Files a former run left wait in the list while the question is up; the hidden output of the
// one it was cut short in goes, and nothing else. The question comes once the window is on the
// screen, over it, in words true for a crash. Forget takes the files away; Fix fixes them, a file
// that is gone failing with the usual message.
TEST_F(WindowTest, FilesAFormerRunLeftAreOfferedOnceOverTheWindow)
{
    const TestMedia::TestFolder out;
    const QString hidden = out.filePath(".gone.mpgfix-abcdefgh.mpg"), visible = out.filePath("gone.mpg");
    const JobQueue::Pending cutShort{out.filePath("gone.mp4"), hidden};
    JobListModel& jobs = appDelegate->queue().model();
    const auto state = [&](int row) { return JobState(jobs.index(row).data(JobListModel::StateRole).toInt()); };
    const struct { std::vector<JobQueue::Pending> files; QString text, answer; } offers[] = {
        {{cutShort}, "mpgfix stopped before it finished 1 file. Fix it now?", "F&orget It"},
        {{cutShort, {out.filePath("gone2.mp4"), visible}}, "mpgfix stopped before it finished 2 files. Fix them now?", "&Fix Them"},
    };
    for (const auto& offer : offers) {
        SCOPED_TRACE(offer.answer.toStdString());
        ASSERT_TRUE(TestMedia::write(hidden, "part") && TestMedia::write(visible, "whole"));
        window.hide();
        appDelegate->offerRestored({offer.files, {}});
        QMessageBox* question = appDelegate->restoreQuestion();
        ASSERT_TRUE(question);
        EXPECT_EQ(std::tuple(question->text(), question->isVisible(), state(jobs.rowCount() - 1), QFile::exists(hidden),
                             QFile::exists(visible)),
                  std::tuple(offer.text, false, JobState::Waiting, false, true));
        window.move(120 + 80 * jobs.rowCount(), 40);
        window.show();
        ASSERT_TRUE(spinUntil([&] { return question->isVisible(); }));
        EXPECT_LE((question->frameGeometry().center() - window.frameGeometry().center()).manhattanLength(), 10);
        const QList<QAbstractButton*> buttons = question->buttons();
        (*std::ranges::find(buttons, offer.answer, &QAbstractButton::text))->click();
        const auto reason = [&] { return jobs.index(0).data(JobListModel::ReasonRole).toString(); };
        EXPECT_TRUE(offer.files.size() == 1 ? jobs.rowCount() == 0
                                            : spinUntil([&] { return reason() == "gone.mp4 no longer exists."; }));
    }
}

// The window's height over a batch: the list's room is there from the launch on, so that only
// the busy change moves it, there and back. The round's line says how far the round is until its
// rows are cleared.
TEST_F(WindowTest, OnlyTheBusyChangeMovesTheWindow)
{
    const Ui::MainWindow& ui = window.ui();
    JobQueue& queue = appDelegate->queue();
    userStore().setValue("failure", "continue");
    const auto* change = appDelegate->findChild<QPropertyAnimation*>();
    // Where each change heads, as it starts and as it stops.
    QList<int> heights;
    QObject::connect(change, &QAbstractAnimation::stateChanged, [&] { heights << change->endValue().toRect().height(); });
    const int idle = window.height();
    EXPECT_TRUE(ui.jobList->isVisible());
    queue.add({"/clips/gone.mp4", "/clips/gone2.mp4"});
    EXPECT_TRUE(spinUntil([&] { return !queue.hasWork() && change->state() == QAbstractAnimation::Stopped; }));
    EXPECT_EQ(std::pair(heights, window.height()), std::pair(QList<int>{idle - busyHeightChange, idle - busyHeightChange, idle, idle}, idle));
    EXPECT_TRUE(ui.roundLine->isVisible() && ui.roundLine->text() == "2 of 2 finished: 2 failed");
    queue.clearFinished();
    EXPECT_FALSE(ui.roundLine->isVisible());
}

// Before the window manager has placed the window a job's start only makes it shorter: a move
// then would override where the window manager puts it.
TEST(FrameChangeTest, AnUnplacedWindowOnlyChangesItsHeight)
{
    MainWindow window;
    AppDelegate appDelegate(window);
    const QSize idle = window.size();
    appDelegate.status().showAnalyzing("/clips/a.mov");
    EXPECT_EQ(window.size(), idle - QSize(0, busyHeightChange));
    EXPECT_FALSE(window.testAttribute(Qt::WA_Moved));
}

// Every mix of outcomes in English and German: each ended file counted once, a copied one
// apart from the others fixed, and only the kinds that happened named.
TEST(RoundSummaryTest, NamesEachKindThatHappenedOnce)
{
    const struct { RoundTally tally; QString english, german; } rows[] = {
        {{.waiting = 1}, "0 of 1 finished", "0 von 1 fertig"},
        {{.fixed = 4, .copied = 1, .failed = 1, .skipped = 1, .running = 1, .waiting = 1},
         "6 of 8 finished: 3 fixed, 1 copied, 1 failed, 1 skipped",
         "6 von 8 fertig: 3 korrigiert, 1 kopiert, 1 fehlgeschlagen, 1 übersprungen"},
        {{.fixed = 2, .copied = 2, .cancelled = 1}, "3 of 3 finished: 2 copied, 1 cancelled",
         "3 von 3 fertig: 2 kopiert, 1 abgebrochen"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(roundSummary(row.tally), row.english);
        const Translations german(QLocale::German);
        EXPECT_EQ(roundSummary(row.tally), row.german);
    }
}

// A failure names its file in the headline, then gives the reason and the full path; with a
// 240-byte name every line wraps within the sheet, which stays within the screen (this test runs
// at scale 1 and 2). Ctrl+Q on it asks the window to close.
TEST(FailureSheetTest, ALongNameWrapsWithinTheScreen)
{
    QWidget window;
    window.show();
    const QString name = QString(236, u'x') + ".mp4", path = "/home/ann/Videos/" + name;
    const QString reason = name + " has no picture: mpgfix only converts video.";
    QMessageBox* sheet = openFailureSheet(&window, {JobState::Failed, {}, reason}, path);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_TRUE(sheet->screen()->availableGeometry().contains(sheet->frameGeometry()));
    QStringList shown;
    for (const QLabel* label : sheet->findChildren<QLabel*>(QRegularExpression("^qt_msgbox_(informative)?label$"))) {
        EXPECT_TRUE(sheet->rect().contains(QRect(label->mapTo(sheet, QPoint()), label->size())));
        EXPECT_TRUE(label->wordWrap() && label->height() >= label->heightForWidth(label->width()));
        shown << label->text().remove(QChar(0x200B));
    }
    EXPECT_EQ(shown, QStringList({"Could not fix " + name, reason + "\n\n" + path}));
    QTest::keyClick(sheet, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}
