#include "DiscController.h"

#include "DiscSheet.h"
#include "MainWindow.h"
#include "Preferences.h"
#include "StatusArea.h"
#include "ui_MainWindow.h"

#include <QDir>
#include <QMessageBox>

DiscController::DiscController(MainWindow& window, JobQueue& queue, Preferences& preferences, StatusArea& status,
                               QObject* parent)
    : QObject(parent), window_(&window), queue_(queue), preferences_(preferences), status_(status)
{
    connect(window.ui().makeDvdItem, &QAction::triggered, this, &DiscController::openSheet);
    // One disc at a time.
    connect(window.ui().appMenu, &QMenu::aboutToShow, this, [this] {
        if (window_)
            window_->ui().makeDvdItem->setEnabled(!round_);
    });
}

void DiscController::openSheet()
{
    if (round_ || !window_)
        return;
    QStringList files;
    const JobListModel& rows = queue_.model();
    for (int row = 0; row < rows.rowCount(); ++row)
        files << rows.index(row).data(JobListModel::PathRole).toString();
    files.removeDuplicates();
    const JobSettings settings = preferences_.jobSettings();
    auto* sheet = new DiscSheet(window_, files, settings.output, settings.folder, preferences_.lastOpenedFolder());
    connect(sheet, &DiscSheet::startRequested, this, &DiscController::start);
    sheet->open();
}

bool DiscController::cancelAuthoring()
{
    if (!round_ || round_->stage() == DiscRound::Stage::Fixing)
        return false;
    round_->cancel();
    return true;
}

void DiscController::start(const DiscChoice& choice)
{
    if (round_)
        return;
    options_ = choice.options;
    round_ = new DiscRound(queue_, choice.options, this);
    connect(round_, &DiscRound::stageChanged, this, &DiscController::showStage);
    connect(round_, &DiscRound::progressed, &status_, &StatusArea::showProgress);
    connect(round_, &DiscRound::finished, this, &DiscController::discEnded);
    JobSettings settings = preferences_.jobSettings();
    settings.output.videoKbps = choice.videoKbps;
    round_->start(choice.files, settings);
}

void DiscController::showStage(DiscRound::Stage stage)
{
    status_.showDiscWork(stage == DiscRound::Stage::Imaging ? tr("Making the disc image") : tr("Authoring the DVD"));
}

void DiscController::discEnded(const std::optional<DiscFailure>& failure)
{
    round_->deleteLater();
    if (failure && failure->kind == DiscFailure::Kind::Stopped)
        return;
    QString where = QDir(options_.folder).filePath(options_.title);
    if (!options_.image.isEmpty())
        where += u'\n' + options_.image;
    auto* sheet = failure ? new QMessageBox(QMessageBox::Warning, tr("mpgfix"), tr("The DVD was not made."), QMessageBox::Ok, window_)
                          : new QMessageBox(QMessageBox::Information, tr("mpgfix"), tr("The DVD is ready."), QMessageBox::Ok, window_);
    sheet->setInformativeText(failure ? failure->message : where);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}
