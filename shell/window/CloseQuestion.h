#pragma once

#include <QObject>
#include <QPointer>

class JobQueue;
class QMessageBox;
class QWidget;

// What a window with files to fix asks before it closes: "Stop and quit?", naming the files that
// run and counting those that wait. While it is up the queue holds (no file starts, no sheet
// opens), its text follows the queue, and once nothing is left to fix it closes itself and then
// the window, as the user wanted.
class CloseQuestion : public QObject {
    Q_OBJECT

public:
    CloseQuestion(QWidget& window, JobQueue& queue, QObject* parent = nullptr);

    // Whether the window may close now: yes when no file runs or waits (a failure on show loses
    // nothing), else no, and the question is up. Returns at once.
    bool mayClose();
    // The open question; null when none is.
    QMessageBox* box() const;

signals:
    void stopAndQuitChosen();

private:
    bool hasFilesToFix() const;
    // Window-modal; raises the question when it is up already.
    void ask();
    void update();

    QPointer<QWidget> window_;
    JobQueue& queue_;
    QPointer<QMessageBox> box_;
};
