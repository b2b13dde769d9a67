#include "WQDragView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace {

// A film frame with a play mark, drawn in the palette's colours so that it follows the theme.
void paintFilm(QPainter& painter, const QRectF& frame, const QColor& ink, const QColor& paper)
{
    const qreal radius = frame.height() * 0.12;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRoundedRect(frame, radius, radius);

    const qreal hole = frame.height() * 0.11;
    const qreal margin = hole * 0.6;
    const int holes = 6;
    const qreal step = (frame.width() - 2 * margin) / holes;
    painter.setBrush(paper);
    for (int i = 0; i < holes; ++i) {
        const qreal x = frame.left() + margin + i * step + (step - hole) / 2;
        painter.drawRoundedRect(QRectF(x, frame.top() + margin, hole, hole), hole / 4, hole / 4);
        painter.drawRoundedRect(QRectF(x, frame.bottom() - margin - hole, hole, hole), hole / 4,
                                hole / 4);
    }

    const qreal side = frame.height() * 0.36;
    const QPointF centre = frame.center();
    QPainterPath play;
    play.moveTo(centre.x() - side * 0.4, centre.y() - side / 2);
    play.lineTo(centre.x() + side * 0.6, centre.y());
    play.lineTo(centre.x() - side * 0.4, centre.y() + side / 2);
    play.closeSubpath();
    painter.drawPath(play);
}

// The local file paths a drag carries, in its order; empty when it carries none.
QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

WQDragView::WQDragView(QWidget* parent) : QFrame(parent) { setAcceptDrops(true); }

QStringList WQDragView::files() const { return files_; }

void WQDragView::dragEnterEvent(QDragEnterEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    files_ = paths;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    update();
}

void WQDragView::dragLeaveEvent(QDragLeaveEvent* event)
{
    files_.clear();
    event->accept();
    update();
}

void WQDragView::dropEvent(QDropEvent* event)
{
    // The drop's own list, handed over once: a later drag must never queue it again.
    const QStringList dropped = localFiles(event->mimeData());
    files_.clear();
    update();
    if (dropped.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(dropped);
}

void WQDragView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor ink = palette().color(QPalette::Mid);
    // Focus colours the border; a drag that can be dropped also thickens it and tints the area.
    const bool dragOver = !files_.isEmpty();
    const QColor highlight = palette().color(QPalette::Highlight);
    QPen dashes(dragOver || hasFocus() ? highlight : ink, dragOver ? 3 : 2, Qt::DashLine);
    dashes.setDashPattern({4, 3});
    painter.setPen(dashes);
    painter.setBrush(palette().color(QPalette::Base));
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.drawRoundedRect(area, 10, 10);
    if (dragOver) {
        QColor tint = highlight;
        tint.setAlpha(40);
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawRoundedRect(area, 10, 10);
    }

    // The film sits in the space above the status line and the list, which the layout keeps
    // at the bottom, and shrinks with that space.
    const int space = filmSpaceBottom();
    const qreal height = qMin<qreal>(56, space * 0.6);
    const qreal width = height * 1.45;
    const QPointF centre(rect().center().x(), space * 0.55);
    paintFilm(painter, QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height), ink,
              palette().color(QPalette::Base));
}

int WQDragView::filmSpaceBottom() const
{
    int bottom = height();
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            bottom = qMin(bottom, child->y());
    return bottom;
}
