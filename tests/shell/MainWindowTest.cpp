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

// Drags in a row over the launched window's view, each carrying some text as well: a drag
// holds its local files while it is over the view and ends in a drop or by leaving; only the
// drop of files hands anything over, once, in the drag's order.
TEST_F(WindowTest, OnlyADropOfFilesOnItsViewHandsThemOverOnceInTheirOrder)
{
    const QStringList dropped{"/clips/b.mov", "/clips/a folder", "/clips/c.avi"};
    const struct { const char* drag; QStringList urls, held; bool drops; } drags[] = {
        {"three files dropped", {"file:///clips/b.mov", "file:///clips/a folder", "file:///clips/c.avi"}, dropped, true},
        {"a file that passes over and leaves", {"file:///clips/d.mp4"}, {"/clips/d.mp4"}, false},
        {"text and a web address dropped", {"https://example.org/clip.mp4"}, {}, true},
    };
    WQDragView* view = appDelegate->dragView();
    for (const auto& d : drags) {
        SCOPED_TRACE(d.drag);
        QMimeData data;
        data.setText("just some words");
        data.setUrls(QUrl::fromStringList(d.urls));
        QDragEnterEvent enter(view->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        EXPECT_EQ(enter.isAccepted(), !d.held.isEmpty()) << "refused without local files";
        EXPECT_EQ(view->files(), d.held);
        QDropEvent drop(QPointF(view->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragLeaveEvent leave;
        QApplication::sendEvent(view, d.drops ? static_cast<QEvent*>(&drop) : &leave);
        EXPECT_TRUE(view->files().isEmpty());
        EXPECT_EQ(appDelegate->handedOver, QList<QStringList>{dropped});
    }
}
