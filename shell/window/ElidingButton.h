#pragma once

#include <QPushButton>

// A push button whose title shrinks to the room the layout gives it, shortened in the middle
// with an ellipsis, so that a long title never widens the window. It keeps the full title.
class ElidingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The title as it stands: an "&" is shown, never taken as a shortcut mark.
    void setFullText(const QString& text);
    QString fullText() const { return fullText_; }

    // Room for the whole title up to a modest width; at least room for the icon and an ellipsis.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The button's width without any title: frame, margins, icon.
    int chromeWidth() const;
    QSize withTextWidth(int textWidth) const;
    void elide();

    QString fullText_;
};
