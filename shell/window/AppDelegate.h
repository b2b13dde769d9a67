#pragma once

#include "JobQueue.h"
#include "QueueKeeper.h"
#include "Preferences.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class CloseQuestion;
class DiscController;
class FolderOpener;
class FolderScan;
class LeftOutNote;
class MainWindow;
class OptionsBox;
class QMessageBox;
class StatusArea;

// The controller of the main window: takes in the files the user gives it, queues them, shows
// the queue's work in the status area and its failures as sheets, and decides whether the
// window may close. It refers to the window without owning it.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    explicit AppDelegate(MainWindow& window, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The window is up: idle state, preferences registered, controls filled.
    void applicationDidFinishLaunching();
    // Runs at launch and before every intake of files; the same result each time.
    void initQueue();
    // Intake: folders become the video files in them, found off the GUI thread, and each file a
    // row of the queue, in order; returns at once.
    bool openFile(const QString& path);
    virtual void openFiles(const QStringList& paths);
    // Window-modal choosers whose choice goes to the intake as a drop would; return at once.
    void openFilesClicked();
    void openFolderClicked();
    // Lists the files a former run left to fix as waiting, removes the hidden output of the one
    // it was cut short in, and asks whether to fix them now; returns at once.
    void offerRestored(const QueueKeeper::Restored& restored);
    // The open question about them; null when none is.
    QMessageBox* restoreQuestion() const;
    // Idle status text, empty bar and the controls as the preferences say.
    void resetUI();
    // Ends the running job at once and leaves the event loop, busy or not.
    void stopAndQuit();

    Preferences& preferences() { return preferences_; }
    JobQueue& queue() { return queue_; }
    StatusArea& status() { return *status_; }
    // The open "Stop and quit?" question; null when none is.
    QMessageBox* closeQuestion() const;

signals:
    // The queue's round finished while the window was not the active one.
    void roundFinishedUnseen(const RoundTally& tally);

private:
    void showStage(JobState stage, const QString& path);
    void presentFailure(const JobOutcome& outcome, const QString& path);
    // Cancel stops the selected running files, else the one running file.
    void cancelClicked();
    // Stops the running files among `rows`; whether there were any.
    bool cancelRows(const QModelIndexList& rows);
    // The chooser's files that are videos go to the intake; the others are left out, and said so.
    void openChosenFiles(const QStringList& files);
    // A window with files to fix asks before it closes, and closes only through stopAndQuit().
    bool mayClose();
    void openOutputFolder(const QModelIndex& row);

    QPointer<MainWindow> window_;
    Preferences preferences_;
    StatusArea* status_;
    OptionsBox* options_;
    FolderScan* folderScan_;
    FolderOpener* folderOpener_;
    LeftOutNote* leftOutNote_;
    CloseQuestion* closeQuestion_;
    DiscController* disc_;
    QPointer<QMessageBox> restoreQuestion_;
    // Whether the last file ended done, so that the bar shows it full for a moment.
    bool lastDone_ = false;
    // Last, so that it goes first: its job is stopped and joined while the rest still exists.
    JobQueue queue_;
};
