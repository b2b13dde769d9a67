#include "UnitSlider.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace {

// The slider's accessible face: its value as a number for assistive tools that step it, and
// with its unit wherever the value is read out.
class UnitSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UnitSliderAccessible(UnitSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? slider()->valueText() : QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

private:
    UnitSlider* slider() const { return static_cast<UnitSlider*>(widget()); }
};

QAccessibleInterface* unitSliderAccessible(const QString& className, QObject* object)
{
    return className == QLatin1String("UnitSlider") ? new UnitSliderAccessible(static_cast<UnitSlider*>(object))
                                                    : nullptr;
}

} // namespace

UnitSlider::UnitSlider(QWidget* parent) : QSlider(parent)
{
    // Once per run: the factory list is global. QAbstractSlider itself reports value changes.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(unitSliderAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    connect(this, &QSlider::valueChanged, this, [this] { emit valueTextChanged(valueText()); });
}

void UnitSlider::setValueFormat(const QString& format)
{
    valueFormat_ = format;
    emit valueTextChanged(valueText());
}

QString UnitSlider::valueText() const { return valueFormat_.arg(value()); }
