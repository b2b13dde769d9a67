#include "MainWindow.h"

#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QStyle>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    ui_->pathButton->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
    ui_->jobList->setModel(&jobs_);
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
