#include "CloseQuestion.h"

#include "JobQueue.h"
#include "MiddleElision.h"

#include <QMessageBox>
#include <QPushButton>

CloseQuestion::CloseQuestion(QWidget& window, JobQueue& queue, QObject* parent)
    : QObject(parent), window_(&window), queue_(queue)
{
    const JobListModel& jobs = queue.model();
    for (const auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&jobs, changed, this, &CloseQuestion::update);
    connect(&queue, &JobQueue::jobStarted, this, &CloseQuestion::update);
    connect(&queue, &JobQueue::jobEnded, this, &CloseQuestion::update);
    connect(&queue, &JobQueue::failureCleared, this, &CloseQuestion::update);
    // A scan that ended with nothing more to fix.
    connect(&queue, &JobQueue::idle, this, &CloseQuestion::update);
}

QMessageBox* CloseQuestion::box() const { return box_; }

void CloseQuestion::ask()
{
    if (box_) {
        box_->raise();
        return;
    }
    auto* question = new QMessageBox(QMessageBox::Question, tr("mpgfix"), QString(), QMessageBox::NoButton, window_);
    question->setTextFormat(Qt::PlainText);
    QPushButton* stop = question->addButton(tr("Stop and Quit"), QMessageBox::DestructiveRole);
    question->setDefaultButton(question->addButton(tr("Keep Working"), QMessageBox::RejectRole));
    question->setWindowModality(Qt::WindowModal);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this, question, stop] {
        if (question->clickedButton() == stop)
            emit stopAndQuitChosen();
        else
            queue_.setPaused(false);
    });
    box_ = question;
    queue_.setPaused(true);
    update();
    question->open();
}

void CloseQuestion::update()
{
    if (!box_)
        return;
    if (!queue_.hasWork()) {
        // Cleared first: the queue may say it has no work more than once.
        QMessageBox* box = std::exchange(box_, nullptr);
        box->disconnect(this);
        box->close();
        queue_.setPaused(false);
        if (window_)
            window_->close();
        return;
    }
    const int waiting = queue_.model().waitingCount();
    if (queue_.isBusy())
        box_->setText(tr("mpgfix is fixing %1 (%2 more waiting). Stop and quit?")
                          .arg(lastPathComponent(queue_.currentPath()), QString::number(waiting)));
    else if (waiting > 0)
        box_->setText(tr("mpgfix has %1 more files waiting. Stop and quit?").arg(waiting));
    else
        box_->setText(tr("mpgfix is still looking for videos to fix. Stop and quit?"));
}
