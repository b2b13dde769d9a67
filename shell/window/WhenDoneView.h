#pragma once

#include "WhenDone.h"

#include <QObject>
#include <QPointer>

class MainWindow;
class QMessageBox;

// The window's side of When Done: the File menu's choice, Suspend and Power Off only where logind
// allows them, while a countdown runs a box over the window that counts down the seconds and
// whose Cancel stops it, and logind's refusal when it refuses.
class WhenDoneView : public QObject {
    Q_OBJECT

public:
    WhenDoneView(MainWindow& window, WhenDone& whenDone, QObject* parent = nullptr);

    // The open countdown box; null when none is.
    QMessageBox* countdownBox() const;

private:
    void showCountdown(WhenDone::Choice choice);
    void showRefusal(const QString& message);

    QPointer<MainWindow> window_;
    WhenDone& whenDone_;
    QPointer<QMessageBox> box_;
};
