#pragma once

#include "ErrorSheetHandshake.h"
#include "FixJob.h"
#include "JobDisplay.h"
#include "JobListModel.h"
#include "MainThread.h"
#include "Preferences.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <memory>

class ElidingButton;
class JobListView;
class MainWindow;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QMessageBox;
class QProgressBar;
class QPropertyAnimation;
class QPushButton;
class QSlider;
class WQDragView;
class WorkQueue;

// The controller of the main window: fills it from the preferences, turns its controls into
// preference changes, and switches it between idle and busy for the fix jobs, whose display
// operations it runs on the GUI thread. It refers to the window's objects without owning them.
class AppDelegate : public QObject, public JobDisplay {
    Q_OBJECT

public:
    explicit AppDelegate(MainWindow& window, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The window is up: idle state, preferences registered, controls filled.
    void applicationDidFinishLaunching();
    // Runs at launch and before every intake of files; the same result each time.
    void initQueue();
    // Intake: one row in the list and one fix job per path on the work queue, in order;
    // returns at once.
    bool openFile(const QString& path);
    virtual void openFiles(const QStringList& paths);
    // The job for one file; runs on the work queue's worker.
    void fixVideo(const QString& path);
    // Window-modal choosers whose choice goes to the intake as a drop would; return at once.
    void openFilesClicked();
    void openFolderClicked();
    // Stops the running job; the next waiting file starts.
    void cancelCurrent();
    // Idle status text, empty bar and the controls as the preferences say.
    void resetUI();

    void bitrateChanged();
    void forceChanged();
    void dvdChanged();
    void barsChanged();
    void takenChanged();
    // A window-modal folder chooser; returns at once.
    void pathClicked();

    void showAnalyzing(const QString& path) override;
    void showCopying(const QString& path) override;
    void showTranscoding(const QString& path) override;
    void showProgress(double fraction) override;
    void showOutcome(const JobOutcome& outcome) override;
    void endJob() override;
    void presentError(const EngineError& error, std::function<void()> dismissed) override;

    // Ends the running job at once and leaves the event loop, busy or not.
    void stopAndQuit();

    Preferences& preferences();
    MainThread& mainThread();
    ErrorSheetHandshake& handshake();

    // The window's objects; null once they are gone.
    QMainWindow* window() const;
    QLabel* description() const;
    QProgressBar* progress() const;
    WQDragView* dragView() const;
    QCheckBox* forceCheck() const;
    QCheckBox* dvdCheck() const;
    QCheckBox* barsCheck() const;
    QSlider* bitrateSlider() const;
    QLabel* bitrateDescription() const;
    QComboBox* takenCombo() const;
    QGroupBox* optionBox() const;
    QAction* quitItem() const;
    QMenu* appMenu() const;
    QPushButton* pathButton() const;
    QPushButton* cancelButton() const;
    QAction* cancelItem() const;
    JobListView* jobList() const;
    JobListModel* jobs() const;
    // The open "Stop and quit?" question; null when none is.
    QMessageBox* closeQuestion() const;

signals:
    // The queue ran dry while the window was not the active one.
    void batchFinishedUnseen(int fixed, int failed);

private:
    // The queued job `id`, on the worker: skipped when its row was removed while it waited.
    void fixQueued(JobListModel::Id id);
    // A busy window asks before it closes, and closes only through stopAndQuit().
    bool mayClose();
    void askToStopAndQuit();
    void openOutputFolder(const QModelIndex& row);
    void setBusyControls(bool busy);
    void storeCheck(const QCheckBox* check, const QString& key);
    // The frame the window has, or is on its way to while it changes height.
    QRect frameTarget() const;
    void animateFrame(const QRect& target);

    QPointer<MainWindow> window_;
    QPointer<QLabel> description_;
    QPointer<QProgressBar> progress_;
    QPointer<WQDragView> dragView_;
    QPointer<QCheckBox> forceCheck_;
    QPointer<QCheckBox> dvdCheck_;
    QPointer<QCheckBox> barsCheck_;
    QPointer<QSlider> bitrateSlider_;
    QPointer<QLabel> bitrateDescription_;
    QPointer<QComboBox> takenCombo_;
    QPointer<QGroupBox> optionBox_;
    QPointer<QAction> quitItem_;
    QPointer<QMenu> appMenu_;
    QPointer<ElidingButton> pathButton_;
    QPointer<QPushButton> cancelButton_;
    QPointer<QAction> cancelItem_;
    QPointer<JobListView> jobList_;
    QPointer<JobListModel> jobs_;
    QPointer<QMessageBox> closeQuestion_;

    Preferences preferences_;
    MainThread mainThread_;
    ErrorSheetHandshake handshake_{mainThread_, *this};
    FixJob fixJob_{mainThread_, *this, handshake_, preferences_};
    // Last, so that it goes first: its worker is joined while everything a job uses still exists.
    std::unique_ptr<WorkQueue> taskQ_;
    QPropertyAnimation* frameAnimation_;
    bool busy_ = false;
};
