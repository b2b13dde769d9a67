#include "ShellFixture.h"

using WindowTest = ShellTest;

const QString idleText = QStringLiteral("Drop a video file here to fix it.");
constexpr int busyHeightChange = 94;

// The states of a job's display from the launch on. A file name shows as it is, never as
// markup; the bar shows fractions outside 0..1 clamped; the window refuses to close while
// busy; the frame change aims from where the window is headed, so a job that ends while it
// still shrinks returns it to the idle frame, and it keeps what the user resized during a job.
TEST_F(WindowTest, DisplayOperationsSwitchBetweenIdleAndBusy)
{
    AppDelegate& d = *appDelegate;
    const QString clip = "/Volumes/Media/<h1>clip one.mov", analyzing = "Analyzing <h1>clip one.mov...",
                  transcoding = "Transcoding <h1>clip one.mov...", copying = "Copying <h1>clip one.mov...";
    const struct { std::function<void()> operation; QString status; bool busy; int bar; QSize grown = {0, 0}; } steps[] = {
        {[] {}, idleText, false, 0},
        {[&] { d.showAnalyzing(clip); }, analyzing, true, 0},
        {[&] { d.showProgress(0.4206); }, analyzing, true, 421},
        {[&] { d.showTranscoding(clip); }, transcoding, true, 421},
        {[&] { d.showProgress(-0.5); }, transcoding, true, 0},
        {[&] { d.showProgress(1.7); }, transcoding, true, 1000},
        {[&] { d.showProgress(NAN); }, transcoding, true, 0},
        {[&] { d.endJob(); }, idleText, false, 0},
        {[&] { d.showAnalyzing(clip); d.endJob(); }, idleText, false, 0},
        {[&] { d.showAnalyzing(clip); }, analyzing, true, 0},
        {[&] { window.resize(window.size() + QSize(20, 30)); }, analyzing, true, 0, {20, 30}},
        {[&] { d.showCopying(clip); }, copying, true, 0, {20, 30}},
        {[&] { d.showProgress(1.0); }, copying, true, 1000, {20, 30}},
        {[&] { d.endJob(); }, idleText, false, 0, {20, 30}},
    };
    const auto* frameChange = appDelegate->findChild<QAbstractAnimation*>();
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << &s - steps);
        s.operation();
        EXPECT_EQ(d.description()->text(), s.status);
        EXPECT_EQ(d.description()->textFormat(), Qt::PlainText);
        EXPECT_EQ(d.progress()->isVisible(), s.busy);
        EXPECT_EQ(d.progress()->value(), s.bar);
        EXPECT_EQ(d.optionBox()->isVisible(), !s.busy);
        EXPECT_EQ(d.quitItem()->isEnabled(), !s.busy);
        const QRect frame = idleFrame.adjusted(0, 0, s.grown.width(), s.grown.height() - (s.busy ? busyHeightChange : 0));
        EXPECT_TRUE(spinUntil([&] { return frameChange->state() == QAbstractAnimation::Stopped && window.geometry() == frame; }));
        EXPECT_TRUE(!s.busy || !window.close());
    }
    d.quitItem()->trigger();
    EXPECT_FALSE(window.isVisible());
}

// Confirming stores the folder and refreshes the window; cancelling changes nothing.
TEST_F(WindowTest, FolderChooserStoresTheChosenFolderOrNothing)
{
    const QString films = QDir::homePath() + "/Films";
    ASSERT_TRUE(QDir().mkpath(films) && QDir().mkpath(videosFolder()));
    for (const bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed);
        appDelegate->showAnalyzing("/home/me/clip.mov");
        appDelegate->pathClicked();
        auto* chooser = window.findChild<QFileDialog*>();
        ASSERT_TRUE(chooser && chooser->isVisible() && chooser->windowModality() == Qt::WindowModal);
        EXPECT_EQ(chooser->directory().absolutePath(), videosFolder());
        chooser->selectFile(films);
        confirmed ? static_cast<QDialog*>(chooser)->accept() : chooser->reject();
        EXPECT_EQ(storedText(), confirmed ? "[General]\npath=" + films.toUtf8() + "\n" : "");
        EXPECT_EQ(appDelegate->pathButton()->text(), confirmed ? "Films" : "Videos");
        EXPECT_EQ(appDelegate->description()->text(), confirmed ? idleText : "Analyzing clip.mov...");
        EXPECT_TRUE(spinUntil([&] { return !window.findChild<QFileDialog*>(); }));
    }
}
