#pragma once

#include <QFrame>
#include <QStringList>

// The large area of the window that says what to do with a video file: a dashed drop zone
// with a film picture above the status line, which the window's layout places inside it.
// Files dropped on it are handed on by a signal, in the drag's order, folders and all.
class WQDragView : public QFrame {
    Q_OBJECT

public:
    explicit WQDragView(QWidget* parent = nullptr);

    // The local files of the drag now over the view; empty when none is.
    QStringList files() const;

    // Public so that the window can hand the view drags that arrive anywhere on it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

signals:
    void filesDropped(const QStringList& paths);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the widgets laid out in the view begin, below the room for the film.
    int filmSpaceBottom() const;

    QStringList files_;
};
