#include "StatusArea.h"

#include "MainWindow.h"
#include "MiddleElision.h"
#include "RoundSummary.h"
#include "ui_MainWindow.h"

#include <QPropertyAnimation>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The busy window drops the options box for the progress bar and is this much shorter.
constexpr int busyHeightChange = 94;
constexpr int frameAnimationMilliseconds = 160;

// The status line for a file, its name shortened to the room left beside the rest of the words
// so that a long name never widens the window.
QString statusText(const QLabel& label, const QString& format, const QString& path)
{
    const QFontMetrics metrics = label.fontMetrics();
    const int room = label.contentsRect().width() - metrics.horizontalAdvance(format.arg(QString()));
    return format.arg(elideFileName(lastPathComponent(path), metrics, room));
}

int barValue(const QProgressBar& bar, double fraction)
{
    const double shown = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    return bar.minimum() + int(std::lround(shown * (bar.maximum() - bar.minimum())));
}

QRect withHeightChange(QRect frame, int heightChange)
{
    frame.setHeight(frame.height() + heightChange);
    return frame;
}

} // namespace

StatusArea::StatusArea(MainWindow& window, QObject* parent)
    : QObject(parent), window_(&window), frameAnimation_(new QPropertyAnimation(&window, "geometry", this))
{
    frameAnimation_->setDuration(frameAnimationMilliseconds);
    frameAnimation_->setEasingCurve(QEasingCurve::OutCubic);
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &StatusArea::becomeIdle);
    connect(window.ui().cancelButton, &QPushButton::clicked, this, &StatusArea::cancelRequested);
    connect(window.ui().cancelItem, &QAction::triggered, this, &StatusArea::cancelRequested);
}

void StatusArea::showIdleControls()
{
    setBusyControls(false);
    showCancellable(false);
}

void StatusArea::showIdleText()
{
    if (!window_)
        return;
    window_->ui().description->setText(tr("Drop a video file here to fix it."));
    window_->ui().progress->setValue(window_->ui().progress->minimum());
}

void StatusArea::showAnalyzing(const QString& path)
{
    if (window_)
        showDiscWork(statusText(*window_->ui().description, tr("Analyzing %1..."), path));
}

void StatusArea::showDiscWork(const QString& text)
{
    pause_.stop();
    if (!window_)
        return;
    window_->ui().description->setText(text);
    // The bar is the round's: only a new round starts it empty.
    if (!busy_)
        window_->ui().progress->setValue(window_->ui().progress->minimum());
    setBusyControls(true);
    showCancellable(true);
    if (!busy_)
        animateFrame(withHeightChange(frameTarget(), -busyHeightChange));
    busy_ = true;
}

void StatusArea::showCopying(const QString& path)
{
    if (window_)
        window_->ui().description->setText(statusText(*window_->ui().description, tr("Copying %1..."), path));
}

void StatusArea::showTranscoding(const QString& path)
{
    if (window_)
        window_->ui().description->setText(statusText(*window_->ui().description, tr("Transcoding %1..."), path));
}

void StatusArea::showProgress(double fraction)
{
    if (window_)
        window_->ui().progress->setValue(barValue(*window_->ui().progress, fraction));
}

void StatusArea::endJob(std::chrono::milliseconds pause)
{
    if (pause.count() > 0)
        pause_.start(pause);
    else
        becomeIdle();
}

void StatusArea::showRound(const RoundTally& tally)
{
    if (!window_)
        return;
    QLabel& line = *window_->ui().roundLine;
    line.setText(roundSummary(tally));
    line.setVisible(tally.total() > 0);
}

void StatusArea::showCancellable(bool cancellable)
{
    if (!window_)
        return;
    window_->ui().cancelButton->setEnabled(cancellable);
    window_->ui().cancelItem->setEnabled(cancellable);
}

void StatusArea::showNote(const QString& note)
{
    if (window_)
        window_->ui().description->setText(note);
}

void StatusArea::becomeIdle()
{
    pause_.stop();
    if (!window_)
        return;
    // Taken first: showing the options box below may already grow a window that the user
    // made smaller than the idle layout allows, and that growth must not count twice.
    const QRect busyFrame = frameTarget();
    showIdleText();
    setBusyControls(false);
    showCancellable(false);
    if (busy_)
        animateFrame(withHeightChange(busyFrame, busyHeightChange));
    busy_ = false;
}

void StatusArea::setBusyControls(bool busy)
{
    if (!window_)
        return;
    const Ui::MainWindow& ui = window_->ui();
    ui.progress->setVisible(busy);
    ui.cancelButton->setVisible(busy);
    ui.optionBox->setVisible(!busy);
    ui.quitItem->setEnabled(!busy);
}

QRect StatusArea::frameTarget() const
{
    if (frameAnimation_->state() == QAbstractAnimation::Running)
        return frameAnimation_->endValue().toRect();
    return window_->geometry();
}

void StatusArea::animateFrame(const QRect& target)
{
    frameAnimation_->stop();
    // Until the window manager has placed the window its position is not yet known, and moving
    // it would put it where the window manager never meant it (title bar off the screen).
    const QWindow* handle = window_->windowHandle();
    if (!window_->isVisible() || !handle || !handle->isExposed()) {
        window_->resize(target.size());
        return;
    }
    frameAnimation_->setStartValue(window_->geometry());
    frameAnimation_->setEndValue(target);
    frameAnimation_->start();
}
