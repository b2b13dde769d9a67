#include "JobListView.h"

#include "JobListModel.h"
#include "JobRowActions.h"
#include "JobRowDelegate.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace {
// At least enough to see what runs and what is next; more as the window grows.
constexpr int fewestRows = 4;
} // namespace

JobListView::JobListView(QWidget* parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new JobRowDelegate(this));
    connect(this, &QAbstractItemView::doubleClicked, this, &JobListView::openRequested);
    // The user's own scrolling stops the following, until the followed row is in view again.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { following_ = false; });
}

void JobListView::setModel(QAbstractItemModel* model)
{
    QListView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &JobListView::keepRoomForRows);
    connect(model, &QAbstractItemModel::modelReset, this, &JobListView::keepRoomForRows);
    keepRoomForRows();
}

void JobListView::follow(const QModelIndex& row)
{
    following_ = following_ || visualRect(row).intersects(viewport()->rect());
    if (following_)
        scrollTo(row);
}

void JobListView::keepRoomForRows()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // Before the first row, the height a row of no file would have.
    const int rowHeight = model() && model()->rowCount() > 0 ? sizeHintForRow(0)
                                                            : itemDelegate()->sizeHint(option, QModelIndex()).height();
    setMinimumHeight(fewestRows * rowHeight + 2 * frameWidth());
}

void JobListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace) {
        emit removeRequested(selectionModel()->selectedIndexes());
        return;
    }
    QListView::keyPressEvent(event);
}

void JobListView::contextMenuEvent(QContextMenuEvent* event)
{
    const auto stateOf = [](const QModelIndex& row) { return JobState(row.data(JobListModel::StateRole).toInt()); };
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    std::vector<JobState> selectedStates;
    std::transform(selected.begin(), selected.end(), std::back_inserter(selectedStates), stateOf);
    const QPersistentModelIndex clicked = indexAt(viewport()->mapFromGlobal(event->globalPos()));
    bool anyEnded = false;
    for (int row = 0; model() && row < model()->rowCount(); ++row)
        anyEnded = anyEnded || hasEnded(stateOf(model()->index(row, 0)));
    const JobRowActions actions = JobRowActions::of(
        selectedStates, clicked.isValid() ? std::optional(stateOf(clicked)) : std::nullopt, anyEnded);

    // Rows may come and go while the menu is open.
    const QList<QPersistentModelIndex> kept(selected.begin(), selected.end());
    const auto rows = [kept] { return QModelIndexList(kept.begin(), kept.end()); };
    QMenu menu(this);
    menu.addAction(tr("Open Containing Folder"), this, [this, clicked] { emit openRequested(clicked); })
        ->setEnabled(actions.openFolder);
    menu.addSeparator();
    menu.addAction(tr("Retry"), this, [this, rows] { emit retryRequested(rows()); })->setEnabled(actions.retry);
    menu.addAction(tr("Cancel"), this, [this, rows] { emit cancelRequested(rows()); })->setEnabled(actions.cancel);
    QAction* remove = menu.addAction(tr("Remove"), this, [this, rows] { emit removeRequested(rows()); });
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(actions.remove);
    menu.addSeparator();
    menu.addAction(tr("Clear Finished"), this, &JobListView::clearFinishedRequested)->setEnabled(actions.clearFinished);
    menu.exec(event->globalPos());
}
