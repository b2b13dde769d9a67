#include "JobRowDelegate.h"

#include "JobListModel.h"
#include "MiddleElision.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace {

// The running row's bar, in average characters: long enough to see it move.
constexpr int barCharacters = 12;

const QStyle& styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? *option.widget->style() : *QApplication::style();
}

// The desktop theme's icon for where a file stands, else the style's own.
QIcon stateIcon(JobState state, const QStyle& style)
{
    switch (state) {
    case JobState::Waiting:
        return QIcon::fromTheme(QStringLiteral("appointment-soon"), style.standardIcon(QStyle::SP_FileIcon));
    case JobState::Analyzing:
    case JobState::Copying:
    case JobState::Transcoding:
        return QIcon::fromTheme(QStringLiteral("media-playback-start"), style.standardIcon(QStyle::SP_MediaPlay));
    case JobState::Done:
        return QIcon::fromTheme(QStringLiteral("emblem-ok"), style.standardIcon(QStyle::SP_DialogApplyButton));
    case JobState::Failed:
        return QIcon::fromTheme(QStringLiteral("dialog-error"), style.standardIcon(QStyle::SP_MessageBoxCritical));
    case JobState::Skipped:
        return QIcon::fromTheme(QStringLiteral("dialog-warning"), style.standardIcon(QStyle::SP_MessageBoxWarning));
    case JobState::Cancelled:
        return QIcon::fromTheme(QStringLiteral("process-stop"), style.standardIcon(QStyle::SP_BrowserStop));
    }
    return {};
}

int barWidth(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    return JobListModel::isRunning(index) ? option.fontMetrics.averageCharWidth() * barCharacters : 0;
}

} // namespace

QString JobRowDelegate::fittedText(const QModelIndex& index, const QFontMetrics& metrics, int width)
{
    const QString name = QFileInfo(index.data(JobListModel::PathRole).toString()).fileName();
    const QString state = index.data(JobListModel::StateTextRole).toString();
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

void JobRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const int bar = barWidth(option, index);
    if (bar == 0)
        return;
    const int margin = option.rect.height() / 6;
    QStyleOptionProgressBar progress;
    progress.initFrom(option.widget);
    progress.rect = QRect(option.rect.right() - bar - margin, option.rect.top() + margin, bar,
                          option.rect.height() - 2 * margin);
    progress.minimum = 0;
    progress.maximum = 100;
    // The row's text says the percentage already.
    progress.progress = int(index.data(JobListModel::ProgressRole).toDouble() * 100);
    progress.state |= QStyle::State_Horizontal;
    styleOf(option).drawControl(QStyle::CE_ProgressBar, &progress, painter, option.widget);
}

void JobRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QStyle& style = styleOf(*option);
    option->icon = stateIcon(JobState(index.data(JobListModel::StateRole).toInt()), style);
    option->features |= QStyleOptionViewItem::HasDecoration;
    const int iconSide = option->fontMetrics.height();
    option->decorationSize = QSize(iconSide, iconSide);
    const int margin = style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    const int textWidth = option->rect.width() - 3 * margin - iconSide - barWidth(*option, index)
                          - (barWidth(*option, index) > 0 ? 2 * margin : 0);
    option->text = fittedText(index, option->fontMetrics, textWidth);
}
