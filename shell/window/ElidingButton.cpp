#include "ElidingButton.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The widest a title asks for, in average characters; wider titles are elided at first sight.
constexpr int preferredCharacters = 32;
// The icon's gap to the title, as QPushButton lays it out.
constexpr int iconSpacing = 4;

} // namespace

void ElidingButton::setFullText(const QString& text)
{
    fullText_ = text;
    elide();
    updateGeometry();
}

QSize ElidingButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return withTextWidth(
        std::min(metrics.horizontalAdvance(fullText_), metrics.averageCharWidth() * preferredCharacters));
}

QSize ElidingButton::minimumSizeHint() const { return withTextWidth(fontMetrics().horizontalAdvance(u'…')); }

void ElidingButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    elide();
}

int ElidingButton::chromeWidth() const { return withTextWidth(0).width(); }

QSize ElidingButton::withTextWidth(int textWidth) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    // Without a title, so that the style adds no minimum width for one.
    option.text.clear();
    const int iconWidth = option.icon.isNull() ? 0 : option.iconSize.width() + iconSpacing;
    const QSize contents(iconWidth + textWidth, std::max(fontMetrics().height(), option.iconSize.height()));
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, this);
}

void ElidingButton::elide()
{
    const QString shown = fontMetrics().elidedText(fullText_, Qt::ElideMiddle, width() - chromeWidth());
    QString escaped = shown;
    setText(escaped.replace(u'&', QStringLiteral("&&")));
}
