#include "RestoreQuestion.h"

#include "JobQueue.h"
#include "OutputFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>

QMessageBox* offerRestored(QWidget* window, JobQueue& queue, const std::vector<JobQueue::Pending>& files)
{
    QStringList paths;
    for (const JobQueue::Pending& file : files) {
        paths << file.path;
        // The output of the run that was cut short, and nothing else the kept queue might name.
        if (OutputFile::isTemporary(file.temporaryOutput))
            QFile::remove(file.temporaryOutput);
    }
    queue.setPaused(true);
    const int first = queue.model().rowCount();
    queue.add(paths);
    auto* question = new QMessageBox(
        QMessageBox::Question, QCoreApplication::translate("RestoreQuestion", "mpgfix"),
        QCoreApplication::translate("RestoreQuestion", "mpgfix was closed with %1 files still to fix. Fix them now?")
            .arg(paths.size()),
        QMessageBox::NoButton, window);
    question->setDefaultButton(
        question->addButton(QCoreApplication::translate("RestoreQuestion", "Fix Them"), QMessageBox::AcceptRole));
    QPushButton* forget =
        question->addButton(QCoreApplication::translate("RestoreQuestion", "Forget Them"), QMessageBox::RejectRole);
    question->setWindowModality(Qt::WindowModal);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QMessageBox::finished, &queue, [&queue, question, forget, first, count = int(paths.size())] {
        if (question->clickedButton() == forget) {
            QModelIndexList rows;
            for (int row = first; row < first + count; ++row)
                rows << queue.model().index(row);
            queue.removeWaiting(rows);
        }
        queue.setPaused(false);
    });
    question->open();
    return question;
}
