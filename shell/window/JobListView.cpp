#include "JobListView.h"

#include "JobListModel.h"
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
    QMenu menu(this);
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    QAction* remove = menu.addAction(tr("Remove from Queue"), this, [this, selected] { emit removeRequested(selected); });
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(std::any_of(selected.begin(), selected.end(), [](const QModelIndex& row) {
        return row.data(JobListModel::StateRole).toInt() == int(JobState::Waiting);
    }));
    menu.addAction(tr("Clear Finished"), this, &JobListView::clearFinishedRequested);
    menu.exec(event->globalPos());
}
