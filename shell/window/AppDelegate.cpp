#include "AppDelegate.h"

#include "AboutBox.h"
#include "ChosenFiles.h"
#include "CloseQuestion.h"
#include "DiscController.h"
#include "FailureSheet.h"
#include "FolderIntake.h"
#include "FolderOpener.h"
#include "FolderScan.h"
#include "JobListView.h"
#include "LeftOutNote.h"
#include "MainWindow.h"
#include "Options.h"
#include "OptionsBox.h"
#include "RestoreQuestion.h"
#include "SheetChooser.h"
#include "StatusArea.h"
#include "WQDragView.h"
#include "ui_MainWindow.h"

#include <QDBusConnection>
#include <QDir>
#include <QMessageBox>

namespace {

// How long a finished file's full bar shows before the window goes idle.
constexpr std::chrono::milliseconds finishPause(500);


} // namespace

AppDelegate::AppDelegate(MainWindow& window, QObject* parent)
    : QObject(parent),
      window_(&window),
      status_(new StatusArea(window, this)),
      options_(new OptionsBox(window, preferences_, this)),
      folderScan_(new FolderScan(this)),
      folderOpener_(new FolderOpener(QDBusConnection::sessionBus(), this)),
      leftOutNote_(new LeftOutNote(window.ui().dragView)),
      queue_([this] { return preferences_.jobSettings(); })
{
    const Ui::MainWindow& ui = window.ui();
    ui.jobList->setModel(&queue_.model());
    connect(ui.dragView, &WQDragView::filesDropped, this, &AppDelegate::openFiles);
    connect(folderScan_, &FolderScan::found, &queue_, [this](const QStringList& files) { queue_.add(files); });
    connect(folderScan_, &FolderScan::scanningChanged, &queue_, &JobQueue::setScanning);
    ui.dragLayout->addWidget(leftOutNote_);
    connect(folderScan_, &FolderScan::leftOut, leftOutNote_, &LeftOutNote::add);
    connect(ui.openFilesItem, &QAction::triggered, this, &AppDelegate::openFilesClicked);
    connect(ui.openFolderItem, &QAction::triggered, this, &AppDelegate::openFolderClicked);
    connect(status_, &StatusArea::cancelRequested, this, &AppDelegate::cancelClicked);
    connect(ui.jobList, &JobListView::removeRequested, &queue_, &JobQueue::remove);
    connect(ui.jobList, &JobListView::retryRequested, &queue_, &JobQueue::retry);
    connect(ui.jobList, &JobListView::cancelRequested, this, &AppDelegate::cancelRows);
    connect(ui.jobList, &JobListView::clearFinishedRequested, &queue_, &JobQueue::clearFinished);
    connect(ui.jobList, &JobListView::openRequested, this, &AppDelegate::openOutputFolder);
    connect(folderOpener_, &FolderOpener::failed, this, [this](const QString& folder) {
        status_->showNote(tr("No file manager is set up to open %1.").arg(folder));
    });

    connect(&queue_, &JobQueue::jobStarted, this, [this](const QString& path, JobListModel::Id id) {
        showStage(JobState::Analyzing, path);
        if (window_)
            window_->ui().jobList->follow(queue_.model().indexOf(id));
    });
    const auto showRound = [this] {
        status_->showRound(queue_.model().rowCount() > 0 ? queue_.tally() : RoundTally{});
    };
    connect(&queue_, &JobQueue::roundProgressed, this, showRound);
    // Cleared rows take their round's line with them.
    connect(&queue_.model(), &QAbstractItemModel::rowsRemoved, this, showRound);
    closeQuestion_ = new CloseQuestion(window, queue_, this);
    disc_ = new DiscController(window, queue_, preferences_, *status_, this);
    connect(closeQuestion_, &CloseQuestion::stopAndQuitChosen, this, &AppDelegate::stopAndQuit);
    connect(&queue_, &JobQueue::stageChanged, this, &AppDelegate::showStage);
    // The bar is the round's; each running file shows its own progress in the list.
    connect(&queue_, &JobQueue::roundProgressed, status_, &StatusArea::showProgress);
    connect(&queue_, &JobQueue::failureRaised, this, &AppDelegate::presentFailure);
    // Between the files of a folder still being scanned, the status line says what comes next.
    const auto showScanning = [this] {
        if (folderScan_->isScanning() && queue_.running().empty())
            status_->showNote(tr("Looking for videos to fix..."));
    };
    connect(folderScan_, &FolderScan::scanningChanged, this, showScanning);
    connect(&queue_, &JobQueue::jobEnded, this, [this, showScanning](JobListModel::Id, const JobOutcome& outcome) {
        lastDone_ = outcome.state == JobState::Done;
        // Another file still runs: the status line follows it.
        if (const std::vector<JobListModel::Id> running = queue_.running(); !running.empty()) {
            const QModelIndex row = queue_.model().indexOf(running.front());
            showStage(JobState(row.data(JobListModel::StateRole).toInt()), row.data(JobListModel::PathRole).toString());
        } else {
            status_->showCancellable(false);
            showScanning();
        }
    });
    connect(&queue_, &JobQueue::idle, this, [this] { status_->endJob(lastDone_ ? finishPause : std::chrono::milliseconds()); });
    connect(&queue_, &JobQueue::roundFinished, this, [this](const RoundTally& tally) {
        if (window_ && !window_->isActiveWindow() && tally.fixed + tally.failed > 0)
            emit roundFinishedUnseen(tally);
    });
    // Quit is a close request, so that the menu and the window's close button obey one rule.
    connect(ui.quitItem, &QAction::triggered, &window, &QWidget::close);
    connect(ui.aboutItem, &QAction::triggered, this, [this] { AboutBox::open(window_); });
    window.setMayClose([this] { return mayClose(); });
}

AppDelegate::~AppDelegate()
{
    if (window_)
        window_->setMayClose({});
}

void AppDelegate::applicationDidFinishLaunching()
{
    status_->showIdleControls();
    initQueue();
    resetUI();
}

void AppDelegate::initQueue()
{
    preferences_.registerDefaults();
    preferences_.repairPath();
}

bool AppDelegate::openFile(const QString& path)
{
    openFiles({path});
    return true;
}

void AppDelegate::openFiles(const QStringList& paths)
{
    initQueue();
    queue_.setMaxRunning(preferences_.value(Options::filesAtOnce).toInt());
    leftOutNote_->clear();
    folderScan_->scan(paths, preferences_.jobSettings().folder);
}

bool AppDelegate::cancelRows(const QModelIndexList& rows)
{
    bool cancelled = false;
    for (const QModelIndex& row : rows)
        if (JobListModel::isRunning(row)) {
            queue_.cancel(row.data(JobListModel::IdRole).value<JobListModel::Id>());
            cancelled = true;
        }
    return cancelled;
}

void AppDelegate::cancelClicked()
{
    // Nothing running selected: the disc's authoring, else the only running file, or of several
    // the one that started first.
    if ((!window_ || !cancelRows(window_->ui().jobList->selectionModel()->selectedIndexes())) &&
        !disc_->cancelAuthoring())
        queue_.cancelCurrent();
}

void AppDelegate::openFilesClicked()
{
    QFileDialog* chooser = videoFilesChooser(window_, tr("Open Video Files"), preferences_.lastOpenedFolder());
    connect(chooser, &QFileDialog::filesSelected, this,
            [this, chooser](const QStringList& files) { openChosenFiles(chosenFiles(*chooser, files)); });
    chooser->open();
}

void AppDelegate::openChosenFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    preferences_.setLastOpenedFolder(QFileInfo(files.front()).path());
    QStringList videos;
    QStringList others;
    for (const QString& file : files)
        (isVideoFile(file) ? videos : others) << file;
    openFiles(videos);
    leftOutNote_->add(others);
}

void AppDelegate::openFolderClicked()
{
    QFileDialog* chooser = sheetChooser(window_, tr("Open a Folder of Videos"), preferences_.lastOpenedFolder(),
                                        QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        preferences_.setLastOpenedFolder(QFileInfo(folder).absolutePath());
        openFiles({folder});
    });
    chooser->open();
}

void AppDelegate::offerRestored(const QueueKeeper::Restored& restored)
{
    if (!restored.setAsideAs.isEmpty())
        status_->showNote(tr("The list of files left to fix could not be read; it was set aside as %1.").arg(restored.setAsideAs));
    if (!restored.unopened.isEmpty())
        status_->showNote(tr("The list of files left to fix could not be opened (%1); it is left as it is, and "
                             "this session's files are not kept.").arg(restored.unopened));
    if (!restored.files.empty())
        restoreQuestion_ = ::offerRestored(window_, queue_, restored.files);
}

QMessageBox* AppDelegate::restoreQuestion() const { return restoreQuestion_; }

void AppDelegate::resetUI()
{
    status_->showIdleText();
    options_->showPreferences();
}

void AppDelegate::showStage(JobState stage, const QString& path)
{
    switch (stage) {
    case JobState::Analyzing:
        status_->showAnalyzing(path);
        break;
    case JobState::Copying:
        status_->showCopying(path);
        break;
    case JobState::Transcoding:
        status_->showTranscoding(path);
        break;
    default:
        break;
    }
}

void AppDelegate::presentFailure(const JobOutcome& outcome, const QString& path)
{
    connect(openFailureSheet(window_, outcome, path), &QMessageBox::finished, &queue_, &JobQueue::failureDismissed);
}

void AppDelegate::openOutputFolder(const QModelIndex& row)
{
    if (row.data(JobListModel::StateRole).toInt() == int(JobState::Done))
        folderOpener_->showFile(row.data(JobListModel::OutputRole).toString());
}

void AppDelegate::stopAndQuit()
{
    queue_.stop();
    // Not quit(): that asks the windows to close, and a busy window refuses.
    QCoreApplication::exit(0);
}

QMessageBox* AppDelegate::closeQuestion() const { return closeQuestion_->box(); }

bool AppDelegate::mayClose() { return closeQuestion_->mayClose(); }
