#pragma once

#include <QStyledItemDelegate>

// Draws a row of the list of files as an icon for where it stands, "name — state" in the room
// the row has and, while its job runs, a progress bar of its own at the row's end. Only the name
// is shortened, in the middle, so the state always shows; a reason too long for what is left is
// cut at its end (the row's tooltip holds it whole). Rows are tall enough for any script's glyphs.
class JobRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QString fittedText(const QModelIndex& index, const QFontMetrics& metrics, int width);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
