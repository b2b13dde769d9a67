#include "MainWindow.h"

#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QStyle>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    ui_->pathButton->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    ui_->jobList->setModel(&jobs_);
    setAcceptDrops(true);
}

MainWindow::~MainWindow() = default;

const Ui::MainWindow& MainWindow::ui() const { return *ui_; }

JobListModel& MainWindow::jobs() { return jobs_; }

void MainWindow::setMayClose(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose_ && !mayClose_())
        event->ignore();
    else
        event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { QCoreApplication::sendEvent(ui_->dragView, event); }

void MainWindow::dragLeaveEvent(QDragLeaveEvent* event) { QCoreApplication::sendEvent(ui_->dragView, event); }

void MainWindow::dropEvent(QDropEvent* event) { QCoreApplication::sendEvent(ui_->dragView, event); }
