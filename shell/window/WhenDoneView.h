#pragma once

#include "WhenDone.h"

#include <QObject>
#include <QPointer>

class MainWindow;
class QMessageBox;

// The window's side of When Done: the File menu's choice, and while a countdown runs a box
// over the window that counts down the seconds and whose Cancel stops it.
class WhenDoneView : public QObject {
    Q_OBJECT

public:
    WhenDoneView(MainWindow& window, WhenDone& whenDone, QObject* parent = nullptr);

    // The open countdown box; null when none is.
    QMessageBox* countdownBox() const;

private:
    void showCountdown(WhenDone::Choice choice);

    QPointer<MainWindow> window_;
    WhenDone& whenDone_;
    QPointer<QMessageBox> box_;
};
