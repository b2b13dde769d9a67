#pragma once

#include <QObject>
#include <QPointer>

class JobQueue;
class QMessageBox;
class QWidget;

// What a window with work asks before it closes: "Stop and quit?". While it is up the queue
// holds (no file starts, no sheet opens), its text follows the queue, and once the work is over
// it closes itself and then the window, as the user wanted.
class CloseQuestion : public QObject {
    Q_OBJECT

public:
    CloseQuestion(QWidget& window, JobQueue& queue, QObject* parent = nullptr);

    // Window-modal; raises the question when it is up already. Returns at once.
    void ask();
    // The open question; null when none is.
    QMessageBox* box() const;

signals:
    void stopAndQuitChosen();

private:
    void update();

    QPointer<QWidget> window_;
    JobQueue& queue_;
    QPointer<QMessageBox> box_;
};
