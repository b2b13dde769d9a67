#include "AppDelegate.h"

#include "AboutBox.h"
#include "ElidingButton.h"
#include "FolderIntake.h"
#include "JobListView.h"
#include "MainWindow.h"
#include "MiddleElision.h"
#include "UnitSlider.h"
#include "WQDragView.h"
#include "WorkQueue.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPropertyAnimation>
#include <QSignalBlocker>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The busy window drops the options box for the progress bar and is this much shorter.
constexpr int busyHeightChange = 94;
constexpr int frameAnimationMilliseconds = 160;

QString lastPathComponent(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed == u"/" ? trimmed : trimmed.section(u'/', -1);
}

// The status line for a file, its name shortened to the room left beside the rest of the words
// so that a long name never widens the window.
QString statusText(const QLabel& label, const QString& format, const QString& path)
{
    const QFontMetrics metrics = label.fontMetrics();
    const int room = label.contentsRect().width() - metrics.horizontalAdvance(format.arg(QString()));
    return format.arg(elideFileName(lastPathComponent(path), metrics, room));
}

// The folder the chooser opens on: the chosen one may not exist yet, and a chooser that starts
// in a missing folder cannot choose.
QString nearestExistingFolder(const QString& path)
{
    QDir folder(path);
    while (!folder.exists() && !folder.isRoot())
        folder.setPath(QFileInfo(folder.absolutePath()).path());
    return folder.absolutePath();
}

QString mbps(qint64 megabits) { return AppDelegate::tr("%1Mbps").arg(megabits); }

// The bar shows fractions outside 0..1 (and NaN) as empty or full.
int barValue(const QProgressBar& bar, double fraction)
{
    const double shown = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    return bar.minimum() + int(std::lround(shown * (bar.maximum() - bar.minimum())));
}

// "Video files (*.mp4 *.mkv ...)", the files a folder would give, then every file.
QStringList videoFileFilters()
{
    return {AppDelegate::tr("Video files (%1)").arg(videoNamePatterns().join(u' ')), AppDelegate::tr("All files (*)")};
}

// A chooser as a sheet on the window, gone once closed; the caller connects to its choice and
// opens it.
QFileDialog* sheetChooser(QWidget* window, const QString& title, const QString& folder, QFileDialog::FileMode mode)
{
    auto* chooser = new QFileDialog(window, title, folder);
    chooser->setFileMode(mode);
    chooser->setOption(QFileDialog::ShowDirsOnly, mode == QFileDialog::Directory);
    chooser->setWindowModality(Qt::WindowModal);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    return chooser;
}

QRect withHeightChange(QRect frame, int heightChange)
{
    frame.setHeight(frame.height() + heightChange);
    return frame;
}

} // namespace

AppDelegate::AppDelegate(MainWindow& window, QObject* parent)
    : QObject(parent),
      window_(&window),
      frameAnimation_(new QPropertyAnimation(&window, "geometry", this))
{
    const Ui::MainWindow& ui = window.ui();
    description_ = ui.description;
    progress_ = ui.progress;
    dragView_ = ui.dragView;
    forceCheck_ = ui.forceCheck;
    dvdCheck_ = ui.dvdCheck;
    barsCheck_ = ui.barsCheck;
    bitrateSlider_ = ui.bitrateSlider;
    bitrateDescription_ = ui.bitrateDescription;
    takenCombo_ = ui.takenCombo;
    optionBox_ = ui.optionBox;
    quitItem_ = ui.quitItem;
    appMenu_ = ui.appMenu;
    pathButton_ = ui.pathButton;
    cancelButton_ = ui.cancelButton;
    cancelItem_ = ui.cancelItem;
    jobList_ = ui.jobList;
    jobs_ = &window.jobs();

    ui.bitrateSlider->setRange(int(Preferences::minBitrate), int(Preferences::maxBitrate));
    ui.bitrateSlider->setValueFormat(tr("%1 Mbps"));
    frameAnimation_->setDuration(frameAnimationMilliseconds);
    frameAnimation_->setEasingCurve(QEasingCurve::OutCubic);

    connect(ui.bitrateSlider, &QSlider::valueChanged, this, &AppDelegate::bitrateChanged);
    connect(ui.forceCheck, &QCheckBox::clicked, this, &AppDelegate::forceChanged);
    connect(ui.dvdCheck, &QCheckBox::clicked, this, &AppDelegate::dvdChanged);
    connect(ui.barsCheck, &QCheckBox::clicked, this, &AppDelegate::barsChanged);
    connect(ui.takenCombo, &QComboBox::currentIndexChanged, this, &AppDelegate::takenChanged);
    connect(ui.pathButton, &QPushButton::clicked, this, &AppDelegate::pathClicked);
    connect(ui.openFilesItem, &QAction::triggered, this, &AppDelegate::openFilesClicked);
    connect(ui.openFolderItem, &QAction::triggered, this, &AppDelegate::openFolderClicked);
    connect(ui.cancelButton, &QPushButton::clicked, this, &AppDelegate::cancelCurrent);
    connect(ui.cancelItem, &QAction::triggered, this, &AppDelegate::cancelCurrent);
    connect(ui.jobList, &JobListView::removeRequested, jobs_, &JobListModel::removeWaiting);
    connect(ui.jobList, &JobListView::clearFinishedRequested, jobs_, &JobListModel::clearFinished);
    connect(ui.jobList, &JobListView::openRequested, this, &AppDelegate::openOutputFolder);
    connect(jobs_, &JobListModel::batchFinished, this, [this](int fixed, int failed) {
        if (window_ && !window_->isActiveWindow() && fixed + failed > 0)
            emit batchFinishedUnseen(fixed, failed);
    });
    // Quit is a close request, so that the menu and the window's close button obey one rule.
    connect(ui.quitItem, &QAction::triggered, &window, &QWidget::close);
    connect(ui.aboutItem, &QAction::triggered, this, [this] { AboutBox::open(window_); });
    window.setMayClose([this] { return mayClose(); });
}

AppDelegate::~AppDelegate()
{
    // Workers waiting on the GUI thread must not wait for a controller that is going away;
    // with the hand-off closed a queued job ends before it starts, and the running one is
    // stopped so that joining the worker does not wait for its ffmpeg.
    mainThread_.close();
    fixJob_.requestStop();
    if (window_)
        window_->setMayClose({});
}

void AppDelegate::applicationDidFinishLaunching()
{
    setBusyControls(false);
    handshake_.dialogDone = false;
    initQueue();
    resetUI();
}

void AppDelegate::initQueue()
{
    if (dragView_)
        dragView_->setAppDelegate(this);
    if (!taskQ_)
        taskQ_ = std::make_unique<WorkQueue>();
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
    if (!jobs_)
        return;
    for (const QString& path : expandFolders(paths)) {
        const JobListModel::Id id = jobs_->add(path);
        taskQ_->async([this, id] { fixQueued(id); });
    }
}

void AppDelegate::fixQueued(JobListModel::Id id)
{
    std::optional<QString> path;
    if (mainThread_.call([&] { path = jobs_ ? jobs_->start(id) : std::nullopt; }) && path)
        fixVideo(*path);
}

void AppDelegate::fixVideo(const QString& path) { fixJob_.fixVideo(path); }

void AppDelegate::openFilesClicked()
{
    QFileDialog* chooser = sheetChooser(window_, tr("Open Video Files"), QDir::homePath(), QFileDialog::ExistingFiles);
    chooser->setNameFilters(videoFileFilters());
    connect(chooser, &QFileDialog::filesSelected, this, &AppDelegate::openFiles);
    chooser->open();
}

void AppDelegate::openFolderClicked()
{
    QFileDialog* chooser = sheetChooser(window_, tr("Open a Folder of Videos"), QDir::homePath(), QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) { openFiles({folder}); });
    chooser->open();
}

void AppDelegate::cancelCurrent() { fixJob_.requestStop(); }

void AppDelegate::resetUI()
{
    if (description_)
        description_->setText(tr("Drop a video file here to fix it."));
    if (progress_)
        progress_->setValue(progress_->minimum());
    if (forceCheck_)
        forceCheck_->setChecked(preferences_.force());
    if (dvdCheck_)
        dvdCheck_->setChecked(preferences_.dvd());
    if (barsCheck_)
        barsCheck_->setChecked(preferences_.keepProportions());
    if (bitrateSlider_) {
        // Showing the stored value is not a change of it.
        const QSignalBlocker quiet(bitrateSlider_);
        bitrateSlider_->setValue(int(preferences_.bitrate()));
        if (bitrateDescription_)
            bitrateDescription_->setText(mbps(bitrateSlider_->value()));
    }
    if (takenCombo_) {
        const QSignalBlocker quiet(takenCombo_);
        takenCombo_->setCurrentIndex(int(preferences_.nameTaken()));
    }
    if (pathButton_) {
        pathButton_->setFullText(lastPathComponent(preferences_.path()));
        pathButton_->setToolTip(preferences_.path());
        pathButton_->setAccessibleName(tr("Save into %1").arg(preferences_.path()));
    }
}

void AppDelegate::bitrateChanged()
{
    if (!bitrateSlider_)
        return;
    const int megabits = bitrateSlider_->value();
    preferences_.setInteger(Preferences::bitrateKey, megabits);
    if (bitrateDescription_)
        bitrateDescription_->setText(mbps(megabits));
}

void AppDelegate::forceChanged() { storeCheck(forceCheck_, Preferences::forceKey); }

void AppDelegate::dvdChanged() { storeCheck(dvdCheck_, Preferences::dvdKey); }

void AppDelegate::barsChanged() { storeCheck(barsCheck_, Preferences::barsKey); }

void AppDelegate::storeCheck(const QCheckBox* check, const QString& key)
{
    if (check)
        preferences_.setBool(key, check->checkState() == Qt::Checked);
}

void AppDelegate::takenChanged()
{
    // The combo lists the choices in the order of NameTaken.
    if (takenCombo_)
        preferences_.setNameTaken(NameTaken(takenCombo_->currentIndex()));
}

void AppDelegate::pathClicked()
{
    QFileDialog* chooser = sheetChooser(window_, tr("Choose the folder for fixed files"),
                                        nearestExistingFolder(preferences_.path()), QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        preferences_.setString(Preferences::pathKey, folder);
        resetUI();
    });
    chooser->open();
}

void AppDelegate::showAnalyzing(const QString& path)
{
    if (description_)
        description_->setText(statusText(*description_, tr("Analyzing %1..."), path));
    if (progress_)
        progress_->setValue(progress_->minimum());
    setBusyControls(true);
    if (jobList_ && jobs_)
        jobList_->scrollTo(jobs_->currentIndex());
    busy_ = true;
    if (window_)
        animateFrame(withHeightChange(frameTarget(), -busyHeightChange));
}

void AppDelegate::showCopying(const QString& path)
{
    if (jobs_)
        jobs_->setStage(JobState::Copying);
    if (description_)
        description_->setText(statusText(*description_, tr("Copying %1..."), path));
}

void AppDelegate::showTranscoding(const QString& path)
{
    if (jobs_)
        jobs_->setStage(JobState::Transcoding);
    if (description_)
        description_->setText(statusText(*description_, tr("Transcoding %1..."), path));
}

void AppDelegate::showProgress(double fraction)
{
    if (progress_)
        progress_->setValue(barValue(*progress_, fraction));
    if (jobs_)
        jobs_->setProgress(fraction);
}

void AppDelegate::showOutcome(const JobOutcome& outcome)
{
    if (jobs_)
        jobs_->finish(outcome);
}

void AppDelegate::endJob()
{
    // Taken first: showing the options box below may already grow a window that the user
    // made smaller than the idle layout allows, and that growth must not count twice.
    const QRect busyFrame = window_ ? frameTarget() : QRect();
    resetUI();
    setBusyControls(false);
    busy_ = false;
    if (window_)
        animateFrame(withHeightChange(busyFrame, busyHeightChange));
}

void AppDelegate::presentError(const EngineError& error, std::function<void()> dismissed)
{
    auto* sheet = new QMessageBox(QMessageBox::Critical, tr("mpgfix"),
                                  error.description, QMessageBox::Ok, window_);
    sheet->setTextFormat(Qt::PlainText);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QMessageBox::finished, this, [dismissed = std::move(dismissed)] { dismissed(); });
    sheet->open();
}

void AppDelegate::setBusyControls(bool busy)
{
    if (progress_)
        progress_->setVisible(busy);
    if (cancelButton_)
        cancelButton_->setVisible(busy);
    if (cancelItem_)
        cancelItem_->setEnabled(busy);
    if (optionBox_)
        optionBox_->setVisible(!busy);
    if (quitItem_)
        quitItem_->setEnabled(!busy);
}

void AppDelegate::openOutputFolder(const QModelIndex& row)
{
    if (row.data(JobListModel::StateRole).toInt() == int(JobState::Done))
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFileInfo(row.data(JobListModel::OutputRole).toString()).path()));
}

void AppDelegate::stopAndQuit()
{
    fixJob_.requestStop();
    // Not quit(): that asks the windows to close, and a busy window refuses.
    QCoreApplication::exit(0);
}

Preferences& AppDelegate::preferences() { return preferences_; }
MainThread& AppDelegate::mainThread() { return mainThread_; }
ErrorSheetHandshake& AppDelegate::handshake() { return handshake_; }

QMainWindow* AppDelegate::window() const { return window_; }
QLabel* AppDelegate::description() const { return description_; }
QProgressBar* AppDelegate::progress() const { return progress_; }
WQDragView* AppDelegate::dragView() const { return dragView_; }
QCheckBox* AppDelegate::forceCheck() const { return forceCheck_; }
QCheckBox* AppDelegate::dvdCheck() const { return dvdCheck_; }
QCheckBox* AppDelegate::barsCheck() const { return barsCheck_; }
QSlider* AppDelegate::bitrateSlider() const { return bitrateSlider_; }
QLabel* AppDelegate::bitrateDescription() const { return bitrateDescription_; }
QComboBox* AppDelegate::takenCombo() const { return takenCombo_; }
QGroupBox* AppDelegate::optionBox() const { return optionBox_; }
QAction* AppDelegate::quitItem() const { return quitItem_; }
QMenu* AppDelegate::appMenu() const { return appMenu_; }
QPushButton* AppDelegate::pathButton() const { return pathButton_; }
QPushButton* AppDelegate::cancelButton() const { return cancelButton_; }
QAction* AppDelegate::cancelItem() const { return cancelItem_; }
JobListView* AppDelegate::jobList() const { return jobList_; }
JobListModel* AppDelegate::jobs() const { return jobs_; }
QMessageBox* AppDelegate::closeQuestion() const { return closeQuestion_; }

bool AppDelegate::mayClose()
{
    if (busy_)
        askToStopAndQuit();
    return !busy_;
}

void AppDelegate::askToStopAndQuit()
{
    if (closeQuestion_) {
        closeQuestion_->raise();
        return;
    }
    const QString name = jobs_ ? lastPathComponent(jobs_->currentIndex().data(JobListModel::PathRole).toString()) : QString();
    const int waiting = jobs_ ? jobs_->waitingCount() : 0;
    auto* question = new QMessageBox(QMessageBox::Question, tr("mpgfix"),
                                     tr("mpgfix is fixing %1 (%2 more waiting). Stop and quit?").arg(name).arg(waiting),
                                     QMessageBox::NoButton, window_);
    question->setTextFormat(Qt::PlainText);
    QPushButton* stop = question->addButton(tr("Stop and Quit"), QMessageBox::DestructiveRole);
    question->setDefaultButton(question->addButton(tr("Keep Working"), QMessageBox::RejectRole));
    question->setWindowModality(Qt::WindowModal);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this, question, stop] {
        if (question->clickedButton() == stop)
            stopAndQuit();
    });
    closeQuestion_ = question;
    question->open();
}

QRect AppDelegate::frameTarget() const
{
    if (frameAnimation_->state() == QAbstractAnimation::Running)
        return frameAnimation_->endValue().toRect();
    return window_->geometry();
}

void AppDelegate::animateFrame(const QRect& target)
{
    frameAnimation_->stop();
    // Until the window manager has placed the window its position is not yet known, and moving
    // it would put it where the window manager never meant it (title bar off the screen).
    const QWindow* handle = window_->windowHandle();
    if (!window_->isVisible() || !handle || !handle->isExposed()) {
        window_->resize(target.size());
        return;
    }
    frameAnimation_->setStartValue(window_->geometry());
    frameAnimation_->setEndValue(target);
    frameAnimation_->start();
}
