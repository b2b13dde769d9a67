#include "MainWindow.h"

#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    ui_->pathButton->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    setAcceptDrops(true);
    // Every control at its preferred height from the start, the list's room included, as far as
    // the screen has room below a title bar: the window then changes height only as it turns busy
    // and back.
    const int room = screen()->availableGeometry().height() - style()->pixelMetric(QStyle::PM_TitleBarHeight);
    resize(width(), std::max(height(), std::min(sizeHint().height(), room)));
}

MainWindow::~MainWindow() = default;

const Ui::MainWindow& MainWindow::ui() const { return *ui_; }

void MainWindow::setMayClose(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose_ && !mayClose_())
        event->ignore();
    else
        event->accept();
}

// Called directly rather than sent: an event the view refuses would travel back up to the window.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) { ui_->dragView->dragEnterEvent(event); }

void MainWindow::dragLeaveEvent(QDragLeaveEvent* event) { ui_->dragView->dragLeaveEvent(event); }

void MainWindow::dropEvent(QDropEvent* event) { ui_->dragView->dropEvent(event); }
