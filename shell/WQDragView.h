#pragma once

#include <QFrame>
#include <QPointer>

class AppDelegate;

// The large area of the window that says what to do with a video file: a dashed drop zone
// with a film picture above the status line, which the window's layout places inside it.
class WQDragView : public QFrame {
    Q_OBJECT

public:
    explicit WQDragView(QWidget* parent = nullptr);

    AppDelegate* appDelegate() const;
    void setAppDelegate(AppDelegate* appDelegate);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<AppDelegate> appDelegate_;
};
