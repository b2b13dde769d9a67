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

// Qt's entry for what the window system reports, as platform plugins call it; its header comes
// only with Qt's private headers.
struct QWindowSystemInterface {
    struct SynchronousDelivery {};
    template <typename Delivery> static bool handleCloseEvent(QWindow* window);
};

namespace {

// A launched window over the real queue, with a slow clip to fix and a store as on a first
// launch but for the folder that takes the outputs.
class QueueWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestMedia::makeClip(slow, TestMedia::h264AacMono(320, 240, 30.0)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        d.applicationDidFinishLaunching();
    }

    static bool useFreshStore(const QString& folder)
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix");
        store.clear();
        store.setValue("path", folder);
        return true;
    }
    JobState state(int row) const { return JobState(jobs.index(row).data(JobListModel::StateRole).toInt()); }
    QString question() const { return d.closeQuestion() ? d.closeQuestion()->text() : QString(); }
    QAbstractButton* questionButton(const QString& text) const
    {
        const auto buttons = d.closeQuestion() ? d.closeQuestion()->buttons() : QList<QAbstractButton*>();
        return *std::ranges::find(buttons, text, &QAbstractButton::text);
    }
    QStringList outputs() const { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); }

    TestMedia::TestFolder media, out;
    const QString slow = media.filePath("slow.mp4");
    const bool fresh = useFreshStore(out.path());
    MainWindow window;
    AppDelegate d{window};
    JobListModel& jobs = d.queue().model();
};

} // namespace

// The real queue, steered from the window: the running transcode is cancelled with the button
// while a waiting row is selected, and the following one with Esc while the ended row is; a
// waiting file is removed, the next file is still fixed, and no sheet, child or partial file is
// left; the round, ended while the user looked elsewhere, is announced once. With two files at
// once, Cancel stops the selected one only. Closing the busy window asks first, naming what
// runs; Stop and Quit stops the file and leaves the event loop.
TEST_F(QueueWindow, CancelRemoveAndCloseSteerTheRealQueue)
{
    const QString clip = media.filePath("clip.mpg");
    ASSERT_TRUE(TestMedia::makeClip(clip, TestMedia::conformingMpeg()));
    QSignalSpy unseen(&d, &AppDelegate::roundFinishedUnseen);
    QWidget elsewhere;
    QStringList temporaries;
    QObject::connect(&jobs, &QAbstractItemModel::dataChanged, &window, [&](const QModelIndex& at) {
        if (at.row() == 0 && state(0) == JobState::Transcoding && at.data(JobListModel::ProgressRole).toDouble() > 0) {
            temporaries = outputs();
            QTest::keyClick(window.ui().jobList, Qt::Key_End);
            window.ui().cancelButton->click();
        }
        if (at.row() == 1 && state(1) == JobState::Transcoding && at.data(JobListModel::ProgressRole).toDouble() > 0) {
            QTest::keyClick(window.ui().jobList, Qt::Key_Home);
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
    EXPECT_EQ(outputs(), QStringList{"clip.mpg"});
    // While it is written, an output is a hidden file beside where it will go.
    const QRegularExpression hidden("^\\.slow\\.mpgfix-\\w{8}\\.mpg$");
    EXPECT_TRUE(hidden.match(temporaries.join(' ')).hasMatch()) << temporaries.join(' ').toStdString();
    EXPECT_TRUE(window.findChildren<QMessageBox*>().isEmpty());
    ASSERT_TRUE(spinUntil([&] { return !unseen.isEmpty(); }));
    EXPECT_EQ(unseen[0][0].value<RoundTally>(), (RoundTally{.fixed = 1, .copied = 1, .cancelled = 2}));

    QApplication::setActiveWindow(&window);
    window.ui().filesAtOnceSpin->setValue(2);
    d.openFiles({slow, slow});
    const auto both = [&] { return state(3) == JobState::Transcoding && state(4) == JobState::Transcoding; };
    ASSERT_TRUE(spinUntil(both, 30000));
    EXPECT_FALSE(window.close());
    ASSERT_EQ(question(), "mpgfix is fixing slow.mp4 and slow.mp4. Stop and quit?");
    window.ui().jobList->setCurrentIndex(jobs.index(4));
    window.ui().cancelButton->click();
    EXPECT_TRUE(spinUntil([&] { return state(4) == JobState::Cancelled; }) && state(3) == JobState::Transcoding);
    EXPECT_EQ(question(), "mpgfix is fixing slow.mp4. Stop and quit?");
    QTimer::singleShot(0, questionButton("&Stop and Quit"), &QAbstractButton::click);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(spinUntil([&] { return state(3) == JobState::Cancelled; }));
    EXPECT_TRUE(spinUntil([&] { return TestMedia::childrenOf(::getpid()).isEmpty(); }));
    EXPECT_EQ(std::pair(outputs(), unseen.size()), std::pair(QStringList{"clip.mpg"}, qsizetype(1)));
}

// While the close question is up no file starts and no sheet opens, and its text follows the
// queue. Keep Working lets the held file go on; a round that ends under the question closes the
// window as asked. With a failure's sheet up, the window system's close request still asks, and
// Alt+S answers Stop and Quit.
TEST_F(QueueWindow, TheCloseQuestionHoldsTheQueueFollowsItAndAlwaysLetsTheUserQuit)
{
    const QString notes = media.filePath("notes.txt");
    ASSERT_TRUE(TestMedia::write(notes, "milk\n"));
    const auto sheets = [&] { return window.findChildren<QMessageBox*>().size() - (d.closeQuestion() ? 1 : 0); };

    d.openFiles({slow, notes});
    ASSERT_TRUE(spinUntil([&] { return state(0) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    EXPECT_EQ(question(), "mpgfix is fixing slow.mp4 (1 more waiting). Stop and quit?");
    d.queue().cancelCurrent();
    EXPECT_TRUE(spinUntil([&] { return question() == "mpgfix has 1 file waiting to be fixed. Stop and quit?"; }));
    spinUntil([] { return false; }, 300);
    EXPECT_EQ(std::pair(state(1), sheets()), std::pair(JobState::Waiting, qsizetype(0)));
    questionButton("&Keep Working")->click();
    EXPECT_TRUE(spinUntil([&] { return sheets() == 1; }, 30000));
    window.findChild<QMessageBox*>()->accept();

    d.openFiles({slow});
    ASSERT_TRUE(spinUntil([&] { return state(2) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    d.queue().cancelCurrent();
    EXPECT_TRUE(spinUntil([&] { return !window.isVisible() && !d.closeQuestion(); }));

    window.show();
    d.openFiles({notes, slow});
    ASSERT_TRUE(spinUntil([&] { return sheets() == 1 && state(4) == JobState::Waiting; }, 30000));
    EXPECT_FALSE(QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        window.windowHandle()));
    ASSERT_TRUE(d.closeQuestion());
    // Where the window manager would put the keyboard: on the question, in front of the sheet.
    d.closeQuestion()->activateWindow();
    ASSERT_TRUE(spinUntil([&] { return QGuiApplication::focusWindow() == d.closeQuestion()->windowHandle(); }));
    QTimer::singleShot(0, [&] { QTest::keyClick(d.closeQuestion(), Qt::Key_S, Qt::AltModifier); });
    EXPECT_EQ(QApplication::exec(), 0);
}
