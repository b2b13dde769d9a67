#include "JobRowDelegate.h"

#include "JobListModel.h"
#include "MiddleElision.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>

QString JobRowDelegate::fittedText(const QModelIndex& index, const QFontMetrics& metrics, int width)
{
    const QString name = QFileInfo(index.data(JobListModel::PathRole).toString()).fileName();
    const QString state = JobListModel::stateText(JobState(index.data(JobListModel::StateRole).toInt()),
                                                  index.data(JobListModel::ProgressRole).toDouble(),
                                                  index.data(JobListModel::OutputRole).toString(),
                                                  index.data(JobListModel::ReasonRole).toString(),
                                                  OutputMade(index.data(JobListModel::MadeRole).toInt()));
    const QString format = JobListModel::tr("%1 \u2014 %2");
    if (metrics.horizontalAdvance(format.arg(name, state)) <= width)
        return format.arg(name, state);
    // The name gives way first, down to a third of the row, or less when it is shorter.
    const int stateWidth = metrics.horizontalAdvance(format.arg(QString(), state));
    const int nameRoom = std::max(width - stateWidth, std::min(metrics.horizontalAdvance(name), width / 3));
    const QString shownName = elideFileName(name, metrics, nameRoom);
    const int stateRoom = width - metrics.horizontalAdvance(format.arg(shownName, QString()));
    return format.arg(shownName, metrics.elidedText(state, Qt::ElideRight, stateRoom));
}

QSize JobRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Names in another script are drawn in a fallback font that may reach further below the line.
    size.setHeight(std::max(size.height(), option.fontMetrics.height() * 3 / 2));
    return size;
}

void JobRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    option->text = fittedText(index, option->fontMetrics, option->rect.width() - 2 * margin);
}
