#include "JobListView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace {
// Enough to see what runs and what is next without crowding out the drop area.
constexpr int visibleRows = 4;
} // namespace

JobListView::JobListView(QWidget* parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideMiddle);
    connect(this, &QAbstractItemView::doubleClicked, this, &JobListView::openRequested);
    hide();
}

void JobListView::setModel(QAbstractItemModel* model)
{
    QListView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &JobListView::showWhenFilled);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &JobListView::showWhenFilled);
    connect(model, &QAbstractItemModel::modelReset, this, &JobListView::showWhenFilled);
    showWhenFilled();
}

void JobListView::showWhenFilled()
{
    const bool filled = model() && model()->rowCount() > 0;
    // Whole rows, as tall as the style draws them.
    if (filled)
        setFixedHeight(visibleRows * sizeHintForRow(0) + 2 * frameWidth());
    setVisible(filled);
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
    remove->setEnabled(!selected.isEmpty());
    menu.addAction(tr("Clear Finished"), this, &JobListView::clearFinishedRequested);
    menu.exec(event->globalPos());
}
