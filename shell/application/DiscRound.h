#pragma once

#include "DiscMaker.h"
#include "DiscWorkFolder.h"
#include "JobQueue.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <map>
#include <optional>

// A disc made through the window's queue: its files are fixed for DVD at the fitted bitrate into
// a hidden folder beside the disc, then authored in list order. The queue's round stays open until
// the disc is made or given up, so that nothing takes the queue for idle meanwhile; whatever
// became of it, the fixed files go with the hidden folder. GUI thread only.
class DiscRound : public QObject {
    Q_OBJECT

public:
    enum class Stage { Fixing, Authoring, Imaging };

    DiscRound(JobQueue& queue, const DiscOptions& options, QObject* parent = nullptr);
    ~DiscRound() override;

    // Queues `files`, fixed by `settings` made for DVD and put into the hidden folder; finished()
    // follows, also when the folder could not be made.
    void start(const QStringList& files, JobSettings settings);
    // Gives up at any stage: the disc's running files stop, its waiting ones leave the queue, the
    // authoring stops; finished() tells it Stopped.
    void cancel();
    Stage stage() const { return stage_; }

signals:
    // Authoring and imaging, as each begins.
    void stageChanged(DiscRound::Stage stage);
    // How far the stage under way has come.
    void progressed(double fraction);
    // Nothing once the disc is in place.
    void finished(const std::optional<DiscFailure>& failure);

private:
    void fileEnded(JobListModel::Id id, const JobOutcome& outcome);
    // Rows of the disc taken out of the queue before their turn will never be fixed.
    void checkRemoved();
    void giveUp(const DiscFailure& failure);
    void authorIfAllFixed();
    void authoringProgressed(DvdAuthoring::Stage stage, double fraction);
    void finish(const std::optional<DiscFailure>& failure);

    // The queue may go first, as it does when the app quits.
    QPointer<JobQueue> queue_;
    std::optional<DiscWorkFolder> streams_;
    // The disc's rows not yet ended, and the outputs of those fixed, both by id: ids follow the
    // list's order.
    std::map<JobListModel::Id, QString> pending_, fixed_;
    std::optional<DiscFailure> failure_;
    Stage stage_ = Stage::Fixing;
    bool held_ = false;
    // Last, so that its authoring stops while the rest still exists.
    DiscMaker maker_;
};
