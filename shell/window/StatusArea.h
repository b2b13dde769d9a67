#pragma once

#include "RoundTally.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

class MainWindow;
class QPropertyAnimation;

// The window's status: the line that says what is happening, the progress bar and Cancel. Idle,
// it invites a drop and the options show; busy, the bar and Cancel replace the options and the
// window gets shorter by their difference, then taller again once the work is over.
class StatusArea : public QObject {
    Q_OBJECT

public:
    explicit StatusArea(MainWindow& window, QObject* parent = nullptr);

    // The idle controls; the frame is left as it is.
    void showIdleControls();
    // The idle text and an empty bar.
    void showIdleText();

    // A file's job began: busy, the window shorter, and a file to cancel.
    void showAnalyzing(const QString& path);
    void showCopying(const QString& path);
    void showTranscoding(const QString& path);
    // Work beside the files, such as authoring a disc: busy, with `text` on the status line.
    void showDiscWork(const QString& text);
    // Fractions outside 0..1 (and NaN) show as an empty or full bar.
    void showProgress(double fraction);
    // The work is over: idle again, and the window as tall as before, after `pause` with the bar
    // as it stands so that the user sees the end.
    void endJob(std::chrono::milliseconds pause = {});
    // Whether a file runs that Cancel could stop; none does once the work is over.
    void showCancellable(bool cancellable);
    // How far the round has come, under the list, as roundSummary() says it; hidden when it has
    // no files.
    void showRound(const RoundTally& tally);
    // A remark on the status line, such as why a double-click did nothing; the next job's
    // status replaces it.
    void showNote(const QString& note);

signals:
    // The Cancel button or menu item.
    void cancelRequested();

private:
    void becomeIdle();
    void setBusyControls(bool busy);
    // The frame the window has, or is on its way to while it changes height.
    QRect frameTarget() const;
    void animateFrame(const QRect& target);

    QPointer<MainWindow> window_;
    QPropertyAnimation* frameAnimation_;
    QTimer pause_;
    bool busy_ = false;
};
