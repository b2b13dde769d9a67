#include "RestoreQuestion.h"

#include "JobQueue.h"
#include "OutputFile.h"

#include "PlaceOverWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
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
    const int count = int(paths.size());
    // True however the run ended: quit with files left, killed, or crashed.
    const auto counted = [count](const char* text) {
        return QCoreApplication::translate("RestoreQuestion", text, nullptr, count);
    };
    auto* question = new QMessageBox(QMessageBox::Question, QCoreApplication::translate("RestoreQuestion", "mpgfix"),
                                     counted(QT_TRANSLATE_N_NOOP("RestoreQuestion",
                                                            "mpgfix stopped before it finished %n files. Fix them now?")),
                                     QMessageBox::NoButton, window);
    question->setDefaultButton(
        question->addButton(counted(QT_TRANSLATE_N_NOOP("RestoreQuestion", "&Fix Them")), QMessageBox::AcceptRole));
    QPushButton* forget =
        question->addButton(counted(QT_TRANSLATE_N_NOOP("RestoreQuestion", "F&orget Them")), QMessageBox::RejectRole);
    question->setWindowModality(Qt::WindowModal);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QMessageBox::finished, &queue, [&queue, question, forget, first, count] {
        if (question->clickedButton() == forget) {
            QModelIndexList rows;
            for (int row = first; row < first + count; ++row)
                rows << queue.model().index(row);
            queue.removeWaiting(rows);
        }
        queue.setPaused(false);
    });
    // Over the window once it is up, rather than at the corner of the screen before it is placed.
    const QPointer<QMessageBox> asking = question;
    const auto open = [asking, window] {
        if (asking) {
            asking->open();
            placeOverWindow(*asking, window);
        }
    };
    if (window)
        whenOnScreen(*window, open);
    else
        open();
    return question;
}
