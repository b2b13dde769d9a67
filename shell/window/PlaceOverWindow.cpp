#include "PlaceOverWindow.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Waits on a window's handle for its first exposure, then calls once and goes.
class ExposureWait : public QObject {
public:
    ExposureWait(QWindow& handle, std::function<void()> then) : QObject(&handle), then_(std::move(then))
    {
        handle.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            // Once: a window manager may expose the window again before this goes.
            watched->removeEventFilter(this);
            // Queued: the layout requests that showing the window posted are handled first.
            QTimer::singleShot(0, watched, std::move(then_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

void placeOverWindow(QWidget& dialog, const QWidget* window)
{
    if (window && window->isVisible())
        dialog.move(window->frameGeometry().center() - dialog.rect().center());
}

void whenOnScreen(QWidget& window, std::function<void()> then)
{
    // A window not yet shown gets its handle now, to be watched until it is.
    window.winId();
    if (window.isVisible() && window.windowHandle()->isExposed())
        then();
    else
        new ExposureWait(*window.windowHandle(), std::move(then));
}
