#include "AppDelegate.h"
#include "JobListView.h"
#include "MainWindow.h"

#include "EventLoop.h"
#include "TestMedia.h"
#include "TestPrinters.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

bool hasChildProcesses()
{
    for (const QString& task : QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (!TestMedia::readAll("/proc/self/task/" + task + "/children").trimmed().isEmpty())
            return true;
    return false;
}

QPushButton* questionButton(const AppDelegate& d, const QString& text)
{
    for (QAbstractButton* button : d.closeQuestion() ? d.closeQuestion()->buttons() : QList<QAbstractButton*>())
        if (button->text() == text)
            return qobject_cast<QPushButton*>(button);
    return nullptr;
}

} // namespace

// The real queue, steered from the window: the running transcode is cancelled with the button
// and the following copy with Esc, a waiting file is removed, the next file is still fixed, and
// no sheet, child or partial file is left; the user hears of a batch that ends while they look
// elsewhere. Closing the busy window asks first; Keep Working
// goes on, Stop and Quit stops the file and leaves the event loop.
TEST(QueueWindow, CancelRemoveAndCloseSteerTheRealQueue)
{
    TestMedia::TestFolder media, out;
    const QString slow = media.filePath("slow.mp4"), clip = media.filePath("clip.mpg");
    ASSERT_TRUE(TestMedia::makeClip(slow, TestMedia::h264AacMono(320, 240, 30.0)));
    ASSERT_TRUE(TestMedia::makeClip(clip, TestMedia::conformingMpeg()));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "mpgfix", "mpgfix").setValue("path", out.path());
    MainWindow window;
    AppDelegate d(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    d.applicationDidFinishLaunching();
    JobListModel& jobs = *d.jobs();
    QSignalSpy unseen(&d, &AppDelegate::batchFinishedUnseen);
    const auto state = [&](int row) { return JobState(jobs.index(row).data(JobListModel::StateRole).toInt()); };
    QObject::connect(&jobs, &QAbstractItemModel::dataChanged, &window, [&](const QModelIndex& at) {
        if (at.row() == 0 && state(0) == JobState::Transcoding && at.data(JobListModel::ProgressRole).toDouble() > 0)
            d.cancelButton()->click();
        if (at.row() == 1 && state(1) == JobState::Copying)
            QTest::keyClick(&window, Qt::Key_Escape);
    });
    d.openFiles({slow, clip, slow, clip});
    jobs.removeWaiting({jobs.index(2)});
    EXPECT_TRUE(spinUntil([&] { return state(2) == JobState::Done; }, 60000));
    EXPECT_EQ(std::tuple(state(0), state(1), jobs.rowCount()), std::tuple(JobState::Cancelled, JobState::Cancelled, 3));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"clip.mpg"});
    EXPECT_TRUE(window.findChildren<QMessageBox*>().isEmpty());

    // Only a batch that ends while the user looks elsewhere is announced, once.
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QFile::copy(clip, media.filePath("other.mpg"));
    d.openFiles({media.filePath("other.mpg"), slow});
    jobs.removeWaiting({jobs.index(4)});
    EXPECT_TRUE(spinUntil([&] { return state(3) == JobState::Done; }, 30000));
    EXPECT_EQ(unseen, (QList<QVariantList>{{1, 0}}));

    QApplication::setActiveWindow(&window);
    d.openFiles({slow});
    EXPECT_TRUE(spinUntil([&] { return state(4) == JobState::Transcoding; }, 30000));
    EXPECT_FALSE(window.close());
    ASSERT_TRUE(questionButton(d, "Keep Working"));
    EXPECT_EQ(d.closeQuestion()->text(), "mpgfix is fixing slow.mp4 (0 more waiting). Stop and quit?");
    questionButton(d, "Keep Working")->click();
    EXPECT_TRUE(spinUntil([&] { return !d.closeQuestion(); }));
    EXPECT_EQ(state(4), JobState::Transcoding);
    EXPECT_FALSE(window.close());
    QTimer::singleShot(0, questionButton(d, "Stop and Quit"), &QPushButton::click);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(spinUntil([&] { return state(4) == JobState::Cancelled && !hasChildProcesses(); }, 5000));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"clip.mpg", "other.mpg"}));
    EXPECT_EQ(unseen.size(), 1);
}
