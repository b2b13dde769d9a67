#include "CloseQuestion.h"

#include "JobQueue.h"
#include "MiddleElision.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// Up to three names, else how many.
QString namesOrCount(const QStringList& names)
{
    switch (names.size()) {
    case 1:
        return names[0];
    case 2:
        return CloseQuestion::tr("%1 and %2").arg(names[0], names[1]);
    case 3:
        return CloseQuestion::tr("%1, %2 and %3").arg(names[0], names[1], names[2]);
    default:
        return CloseQuestion::tr("%n files", nullptr, int(names.size()));
    }
}

} // namespace

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

bool CloseQuestion::mayClose()
{
    if (!hasFilesToFix())
        return true;
    ask();
    return false;
}

bool CloseQuestion::hasFilesToFix() const
{
    return !queue_.running().empty() || queue_.model().waitingCount() > 0 || queue_.moreToCome();
}

void CloseQuestion::ask()
{
    if (box_) {
        box_->raise();
        return;
    }
    auto* question = new QMessageBox(QMessageBox::Question, tr("mpgfix"), QString(), QMessageBox::NoButton, window_);
    question->setTextFormat(Qt::PlainText);
    QPushButton* stop = question->addButton(tr("&Stop and Quit"), QMessageBox::DestructiveRole);
    question->setDefaultButton(question->addButton(tr("&Keep Working"), QMessageBox::RejectRole));
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
    if (!hasFilesToFix()) {
        // Cleared first: the queue may say it has no work more than once.
        QMessageBox* box = std::exchange(box_, nullptr);
        box->disconnect(this);
        box->close();
        queue_.setPaused(false);
        if (window_)
            window_->close();
        return;
    }
    QStringList running;
    for (const JobListModel::Id id : queue_.running())
        running << lastPathComponent(queue_.model().indexOf(id).data(JobListModel::PathRole).toString());
    const int waiting = queue_.model().waitingCount();
    const QString named = namesOrCount(running);
    if (running.isEmpty() && waiting == 0)
        box_->setText(queue_.isScanning() ? tr("mpgfix is still looking for videos to fix. Stop and quit?")
                                          : tr("mpgfix is making a disc. Stop and quit?"));
    else if (running.isEmpty())
        box_->setText(tr("mpgfix has %n files waiting to be fixed. Stop and quit?", nullptr, waiting));
    else if (waiting == 0)
        box_->setText(tr("mpgfix is fixing %1. Stop and quit?").arg(named));
    else
        box_->setText(tr("mpgfix is fixing %1 (%n more waiting). Stop and quit?", nullptr, waiting).arg(named));
}
