#include "AppDelegate.h"
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "EventLoop.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QAbstractButton* questionButton(const AppDelegate& d, const QString& text)
{
    const QList<QAbstractButton*> buttons = d.closeQuestion() ? d.closeQuestion()->buttons() : QList<QAbstractButton*>();
    return *std::find_if(buttons.begin(), buttons.end(), [&](QAbstractButton* b) { return b->text() == text; });
}

// A store of the app's settings as on a first launch, but for the folder that takes the outputs.
void useFreshStore(const QString& folder)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix");
    store.clear();
    store.setValue("path", folder);
}

} // namespace

// The real queue, steered from the window: the running transcode is cancelled with the button
// and the following copy with Esc, a waiting file is removed, the next file is still fixed, and
// no sheet, child or partial file is left; the batch, ended while the user looked elsewhere, is
// announced once. Closing the busy window asks first; Keep Working goes on, Stop and Quit stops
// the file and leaves the event loop.
TEST(QueueWindow, CancelRemoveAndCloseSteerTheRealQueue)
{
    TestMedia::TestFolder media, out;
    const QString slow = media.filePath("slow.mp4"), clip = media.filePath("clip.mpg");
    ASSERT_TRUE(TestMedia::makeClip(slow, TestMedia::h264AacMono(320, 240, 30.0)) && TestMedia::makeClip(clip, TestMedia::conformingMpeg()));
    useFreshStore(out.path());
    MainWindow window;
    AppDelegate d(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    d.applicationDidFinishLaunching();
    JobListModel& jobs = d.queue().model();
    QSignalSpy unseen(&d, &AppDelegate::batchFinishedUnseen);
    QWidget elsewhere;
    QStringList temporaries;
    const auto state = [&](int row) { return JobState(jobs.index(row).data(JobListModel::StateRole).toInt()); };
    QObject::connect(&jobs, &QAbstractItemModel::dataChanged, &window, [&](const QModelIndex& at) {
        if (at.row() == 0 && state(0) == JobState::Transcoding && at.data(JobListModel::ProgressRole).toDouble() > 0) {
            temporaries = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
            window.ui().cancelButton->click();
        }
        if (at.row() == 1 && state(1) == JobState::Transcoding && at.data(JobListModel::ProgressRole).toDouble() > 0) {
            QTest::keyClick(&window, Qt::Key_Escape);
            elsewhere.show();
            QApplication::setActiveWindow(&elsewhere);
        }
    });
    d.openFiles({slow, slow, slow, clip});
    ASSERT_TRUE(spinUntil([&] { return jobs.rowCount() == 4; }));
    d.queue().removeWaiting({jobs.index(2)});
    EXPECT_TRUE(spinUntil([&] { return state(2) == JobState::Done; }, 60000));
    EXPECT_EQ(std::tuple(state(0), state(1), jobs.rowCount()), std::tuple(JobState::Cancelled, JobState::Cancelled, 3));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"clip.mpg"});
    // While it is written, an output is a hidden file beside where it will go.
    EXPECT_TRUE(temporaries.size() == 1 && QRegularExpression("^\\.slow\\.mpgfix-\\w{8}\\.mpg$").match(temporaries.value(0)).hasMatch())
        << temporaries.join(' ').toStdString();
    EXPECT_TRUE(window.findChildren<QMessageBox*>().isEmpty());
    EXPECT_TRUE(spinUntil([&] { return !unseen.isEmpty(); }));
    EXPECT_EQ(unseen, (QList<QVariantList>{{1, 0}}));

    QApplication::setActiveWindow(&window);
    d.openFiles({slow});
    EXPECT_TRUE(spinUntil([&] { return state(3) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    ASSERT_EQ(d.closeQuestion() ? d.closeQuestion()->text() : "", "mpgfix is fixing slow.mp4 (0 more waiting). Stop and quit?");
    questionButton(d, "Keep Working")->click();
    EXPECT_TRUE(spinUntil([&] { return !d.closeQuestion(); }) && state(3) == JobState::Transcoding);
    EXPECT_FALSE(window.close());
    QTimer::singleShot(0, questionButton(d, "Stop and Quit"), &QAbstractButton::click);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(spinUntil([&] { return state(3) == JobState::Cancelled && TestMedia::childrenOf(::getpid()).isEmpty(); }, 5000));
    EXPECT_EQ(std::pair(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), unseen.size()), std::pair(QStringList{"clip.mpg"}, qsizetype(1)));
}

// While the close question is up no file starts and no sheet opens, and its text follows the
// queue. Keep Working lets the held file go on; a batch that ends under the question closes the
// window as asked; Stop and Quit quits even with a sheet up.
TEST(QueueWindow, TheCloseQuestionHoldsTheQueueFollowsItAndAlwaysLetsTheUserQuit)
{
    TestMedia::TestFolder media, out;
    const QString slow = media.filePath("slow.mp4"), notes = media.filePath("notes.txt");
    ASSERT_TRUE(TestMedia::makeClip(slow, TestMedia::h264AacMono(320, 240, 30.0)) && TestMedia::write(notes, "milk\n"));
    useFreshStore(out.path());
    MainWindow window;
    AppDelegate d(window);
    window.show();
    d.applicationDidFinishLaunching();
    const auto state = [&](int row) { return JobState(d.queue().model().index(row).data(JobListModel::StateRole).toInt()); };
    const auto question = [&] { return d.closeQuestion() ? d.closeQuestion()->text() : QString(); };
    const auto sheets = [&] { return window.findChildren<QMessageBox*>().size() - (d.closeQuestion() ? 1 : 0); };

    d.openFiles({slow, notes});
    ASSERT_TRUE(spinUntil([&] { return state(0) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    EXPECT_EQ(question(), "mpgfix is fixing slow.mp4 (1 more waiting). Stop and quit?");
    d.queue().cancelCurrent();
    EXPECT_TRUE(spinUntil([&] { return question() == "mpgfix has 1 more files waiting. Stop and quit?"; }));
    spinUntil([] { return false; }, 300);
    EXPECT_EQ(std::pair(state(1), sheets()), std::pair(JobState::Waiting, qsizetype(0)));
    questionButton(d, "Keep Working")->click();
    EXPECT_TRUE(spinUntil([&] { return sheets() == 1; }, 30000));
    window.findChild<QMessageBox*>()->accept();

    d.openFiles({slow});
    ASSERT_TRUE(spinUntil([&] { return state(2) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    d.queue().cancelCurrent();
    EXPECT_TRUE(spinUntil([&] { return !window.isVisible() && !d.closeQuestion(); }));

    window.show();
    d.openFiles({notes});
    ASSERT_TRUE(spinUntil([&] { return sheets() == 1; }, 30000));
    EXPECT_FALSE(window.close());
    EXPECT_EQ(question(), "mpgfix is fixing notes.txt (0 more waiting). Stop and quit?");
    QTimer::singleShot(0, questionButton(d, "Stop and Quit"), &QAbstractButton::click);
    EXPECT_EQ(QApplication::exec(), 0);
}

// Files at once set to 2: both files run side by side, each with its own row; Cancel stops the
// selected one only, the other is done, and no ffmpeg or temporary file is left.
TEST(QueueWindow, TwoFilesAtOnceAndTheSelectedOneCancelled)
{
    TestMedia::TestFolder media, out;
    const QString slow = media.filePath("slow.mp4"), other = media.filePath("other.mp4");
    ASSERT_TRUE(TestMedia::makeClip(slow, TestMedia::h264AacMono(320, 240, 30.0)) && TestMedia::makeClip(other, TestMedia::h264AacMono(160, 120, 10.0)));
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix");
    store.setValue("path", out.path());
    store.setValue("filesAtOnce", 2);
    store.sync();
    MainWindow window;
    AppDelegate d(window);
    window.show();
    d.applicationDidFinishLaunching();
    JobListModel& jobs = d.queue().model();
    const auto state = [&](int row) { return JobState(jobs.index(row).data(JobListModel::StateRole).toInt()); };
    bool together = false;
    QObject::connect(&jobs, &QAbstractItemModel::dataChanged, &window, [&] {
        if (!together && state(0) == JobState::Transcoding && state(1) == JobState::Transcoding) {
            together = true;
            window.ui().jobList->setCurrentIndex(jobs.index(0));
            window.ui().cancelButton->click();
        }
    });
    d.openFiles({slow, other});
    EXPECT_TRUE(spinUntil([&] { return jobs.rowCount() == 2 && !d.queue().isBusy(); }, 60000));
    EXPECT_EQ(std::tuple(together, state(0), state(1)), std::tuple(true, JobState::Cancelled, JobState::Done));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"other.mpg"});
    EXPECT_TRUE(spinUntil([&] { return TestMedia::childrenOf(::getpid()).isEmpty(); }));
    store.remove("filesAtOnce");
}
