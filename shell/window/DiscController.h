#pragma once

#include "DiscRound.h"

#include <QObject>
#include <QPointer>

class JobQueue;
class MainWindow;
class Preferences;
class StatusArea;
struct DiscChoice;

// File > Make a DVD…: offers the sheet, runs the disc it gives through the queue, shows the
// authoring and imaging in the status area, and tells how the disc ended. One disc at a time.
class DiscController : public QObject {
    Q_OBJECT

public:
    DiscController(MainWindow& window, JobQueue& queue, Preferences& preferences, StatusArea& status,
                   QObject* parent = nullptr);

    // Opens the sheet with the list's files; returns at once.
    void openSheet();
    // Stops the disc's authoring or imaging; false when neither runs.
    bool cancelAuthoring();

private:
    void start(const DiscChoice& choice);
    void showStage(DiscRound::Stage stage);
    void discEnded(const std::optional<DiscFailure>& failure);

    QPointer<MainWindow> window_;
    JobQueue& queue_;
    Preferences& preferences_;
    StatusArea& status_;
    QPointer<DiscRound> round_;
    DiscOptions options_;
};
