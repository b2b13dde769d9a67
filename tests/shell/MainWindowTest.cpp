#include "WindowFixture.h"
#include "WQDragView.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <cmath>

namespace {

const QString idleText = QStringLiteral("Drop a video file here to fix it.");
constexpr int busyHeightChange = 94;

// The store's file as it is on disk now.
QByteArray storedText()
{
    QFile file(userStore().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using WindowTest = LaunchedWindow;

TEST_F(WindowTest, FirstLaunchShowsTheDefaultsAndWritesNothing)
{
    EXPECT_EQ(window->windowTitle(), "mpgfix");
    EXPECT_EQ(appDelegate->description()->text(), idleText);
    EXPECT_FALSE(appDelegate->forceCheck()->isChecked());
    EXPECT_EQ(appDelegate->bitrateSlider()->value(), 6);
    EXPECT_EQ(appDelegate->bitrateDescription()->text(), "6Mbps");
    EXPECT_EQ(appDelegate->pathButton()->text(), "Videos");
    EXPECT_TRUE(appDelegate->progress()->isHidden());
    EXPECT_TRUE(appDelegate->optionBox()->isVisible());
    EXPECT_TRUE(appDelegate->quitItem()->isEnabled());
    EXPECT_EQ(appDelegate->quitItem()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_TRUE(appDelegate->appMenu()->actions().contains(appDelegate->quitItem()));
    EXPECT_EQ(appDelegate->dragView()->appDelegate(), appDelegate.get());
    EXPECT_FALSE(appDelegate->handshake().dialogDone);
    EXPECT_TRUE(userStore().allKeys().isEmpty());
}

TEST_F(WindowTest, ControlsShowStoredValuesAsTheControlsHoldThem)
{
    const struct {
        qint64 bitrate;
        bool force;
        QString path;
        int slider;
        QString buttonTitle;
    } cases[] = {
        {2, true, "/srv/dvd", 2, "dvd"},
        {42, false, "/srv/dvd/", 9, "dvd"},
        {-3, true, "/", 1, "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitrate);
        appDelegate->preferences().setInteger(Preferences::bitrateKey, c.bitrate);
        appDelegate->preferences().setBool(Preferences::forceKey, c.force);
        appDelegate->preferences().setString(Preferences::pathKey, c.path);
        appDelegate->resetUI();

        EXPECT_EQ(appDelegate->forceCheck()->isChecked(), c.force);
        EXPECT_EQ(appDelegate->bitrateSlider()->value(), c.slider);
        EXPECT_EQ(appDelegate->bitrateDescription()->text(), QString("%1Mbps").arg(c.slider));
        EXPECT_EQ(appDelegate->pathButton()->text(), c.buttonTitle);
        EXPECT_EQ(appDelegate->preferences().bitrate(), c.bitrate) << "showing is not storing";
    }
}

TEST_F(WindowTest, SliderAndCheckBoxStoreAndSync)
{
    QSlider* slider = appDelegate->bitrateSlider();
    const struct {
        Qt::Key key;
        int megabits;
    } moves[] = {{Qt::Key_Right, 7}, {Qt::Key_End, 9}, {Qt::Key_Right, 9}, {Qt::Key_Home, 1}};
    for (const auto& move : moves) {
        SCOPED_TRACE(move.megabits);
        QTest::keyClick(slider, move.key);
        EXPECT_TRUE(storedText().contains(QByteArray("bitrate=") + QByteArray::number(move.megabits)));
        EXPECT_EQ(appDelegate->bitrateDescription()->text(), QString("%1Mbps").arg(move.megabits));
    }

    appDelegate->forceCheck()->click();
    EXPECT_TRUE(storedText().contains("force=true"));
    appDelegate->forceCheck()->click();
    EXPECT_TRUE(storedText().contains("force=false"));
}

TEST_F(WindowTest, FolderChooserStoresTheChosenFolderOrNothing)
{
    const QString films = QDir::homePath() + "/Films";
    ASSERT_TRUE(QDir().mkpath(films));
    ASSERT_TRUE(QDir().mkpath(videosFolder()));

    for (const bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed);
        appDelegate->showAnalyzing("/home/me/clip.mov");
        appDelegate->pathClicked();
        QFileDialog* chooser = nullptr;
        ASSERT_TRUE(spinUntil([&] {
            chooser = window->findChild<QFileDialog*>();
            return chooser && chooser->isVisible();
        }));
        EXPECT_EQ(chooser->windowModality(), Qt::WindowModal);
        EXPECT_EQ(chooser->directory().absolutePath(), videosFolder());

        if (confirmed) {
            chooser->selectFile(films);
            static_cast<QDialog*>(chooser)->accept();
            EXPECT_TRUE(storedText().contains(("path=" + films).toUtf8()));
            EXPECT_EQ(appDelegate->pathButton()->text(), "Films");
            EXPECT_EQ(appDelegate->description()->text(), idleText);
        } else {
            chooser->reject();
            EXPECT_TRUE(userStore().allKeys().isEmpty());
            EXPECT_EQ(appDelegate->pathButton()->text(), "Videos");
            EXPECT_EQ(appDelegate->description()->text(), "Analyzing clip.mov...");
        }
        EXPECT_TRUE(spinUntil([&] { return !window->findChild<QFileDialog*>(); }));
        appDelegate->endJob();
    }
}

TEST_F(WindowTest, DisplayOperationsSwitchBetweenIdleAndBusy)
{
    const QString clip = QStringLiteral("/Volumes/Media/clip one.mov");
    const struct {
        const char* step;
        std::function<void(AppDelegate&)> operation;
        QString status;
        bool busy;
        int bar;
    } steps[] = {
        {"analyzing", [&](AppDelegate& d) { d.showAnalyzing(clip); }, "Analyzing clip one.mov...", true, 0},
        {"progress", [](AppDelegate& d) { d.showProgress(0.42); }, "Analyzing clip one.mov...", true, 420},
        {"transcoding", [&](AppDelegate& d) { d.showTranscoding(clip); }, "Transcoding clip one.mov...", true, 420},
        {"end", [](AppDelegate& d) { d.endJob(); }, idleText, false, 0},
        {"next job", [&](AppDelegate& d) { d.showAnalyzing(clip); }, "Analyzing clip one.mov...", true, 0},
        {"copying", [&](AppDelegate& d) { d.showCopying(clip); }, "Copying clip one.mov...", true, 0},
        {"full", [](AppDelegate& d) { d.showProgress(1.0); }, "Copying clip one.mov...", true, 1000},
        {"end again", [](AppDelegate& d) { d.endJob(); }, idleText, false, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.operation(*appDelegate);
        EXPECT_EQ(appDelegate->description()->text(), s.status);
        EXPECT_EQ(appDelegate->progress()->isVisible(), s.busy);
        EXPECT_EQ(appDelegate->progress()->value(), s.bar);
        EXPECT_EQ(appDelegate->optionBox()->isVisible(), !s.busy);
        EXPECT_EQ(appDelegate->quitItem()->isEnabled(), !s.busy);
        EXPECT_TRUE(settlesAt(s.busy ? idleFrame.adjusted(0, 0, 0, -busyHeightChange) : idleFrame))
            << "frame " << window->geometry().height() << " from idle " << idleFrame.height();
    }
}

TEST_F(WindowTest, BarShowsFractionsOutsideZeroToOneClamped)
{
    const struct {
        double fraction;
        int bar;
    } cases[] = {{-0.5, 0}, {0.0004, 0}, {0.4206, 421}, {0.9996, 1000}, {1.7, 1000}, {NAN, 0}};
    appDelegate->showAnalyzing("/home/me/clip.mov");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fraction);
        appDelegate->showProgress(c.fraction);
        EXPECT_EQ(appDelegate->progress()->value(), c.bar);
    }
}

TEST_F(WindowTest, ResizeDuringAJobCarriesIntoIdle)
{
    appDelegate->showAnalyzing("/home/me/clip.mov");
    const QRect busyFrame = idleFrame.adjusted(0, 0, 0, -busyHeightChange);
    ASSERT_TRUE(settlesAt(busyFrame));

    window->resize(busyFrame.width() + 20, busyFrame.height() + 30);
    ASSERT_TRUE(settlesAt(busyFrame.adjusted(0, 0, 20, 30)));
    appDelegate->endJob();
    EXPECT_TRUE(settlesAt(idleFrame.adjusted(0, 0, 20, 30))) << window->geometry().height();
}

TEST_F(WindowTest, JobEndingWhileTheWindowShrinksReturnsToTheIdleFrame)
{
    appDelegate->showAnalyzing("/home/me/missing.mov");
    appDelegate->endJob();
    EXPECT_TRUE(settlesAt(idleFrame)) << window->geometry().height();
}

TEST_F(WindowTest, WindowClosesOnlyBetweenJobs)
{
    appDelegate->showAnalyzing("/home/me/clip.mov");
    EXPECT_FALSE(window->close());
    appDelegate->quitItem()->trigger();
    EXPECT_TRUE(window->isVisible());

    appDelegate->endJob();
    appDelegate->quitItem()->trigger();
    EXPECT_FALSE(window->isVisible());
}

// MPGFIX_SCREENSHOTS=<folder> writes the README's pictures of the idle and the busy window.
TEST_F(WindowTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("MPGFIX_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MPGFIX_SCREENSHOTS to a folder to write the window pictures";
    spinFor(100);
    ASSERT_TRUE(window->grab().save(folder + "/window-idle.png"));

    appDelegate->showAnalyzing("/home/me/holiday clip.mov");
    appDelegate->showTranscoding("/home/me/holiday clip.mov");
    appDelegate->showProgress(0.42);
    ASSERT_TRUE(settlesAt(idleFrame.adjusted(0, 0, 0, -busyHeightChange)));
    spinFor(100);
    ASSERT_TRUE(window->grab().save(folder + "/window-busy.png"));
}

} // namespace
