#pragma once

#include <QSlider>

// A slider whose value a screen reader announces with its unit ("6 Mbps"), as the label beside
// it shows it, rather than as a bare number.
class UnitSlider : public QSlider {
    Q_OBJECT

public:
    explicit UnitSlider(QWidget* parent = nullptr);

    // "%1" stands for the value, e.g. "%1 Mbps".
    void setValueFormat(const QString& format);
    QString valueText() const;

signals:
    // The value as valueText() reads it, for a label beside the slider.
    void valueTextChanged(const QString& text);

private:
    QString valueFormat_ = QStringLiteral("%1");
};
