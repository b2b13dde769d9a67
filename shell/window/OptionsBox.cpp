#include "OptionsBox.h"

#include "ElidingButton.h"
#include "MainWindow.h"
#include "MiddleElision.h"
#include "Options.h"
#include "Preferences.h"
#include "SheetChooser.h"
#include "UnitSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace {

// The folder the chooser opens on: the chosen one may not exist yet, and a chooser that starts
// in a missing folder cannot choose.
QString nearestExistingFolder(const QString& path)
{
    QDir folder(path);
    while (!folder.exists() && !folder.isRoot())
        folder.setPath(QFileInfo(folder.absolutePath()).path());
    return folder.absolutePath();
}

} // namespace

OptionsBox::OptionsBox(MainWindow& window, Preferences& preferences, QObject* parent)
    : QObject(parent), window_(&window), preferences_(preferences)
{
    for (const Option* option : Options::all())
        bind(*option, window.findChild<QWidget*>(QString::fromLatin1(option->control)));
}

void OptionsBox::bind(const Option& option, QWidget* control)
{
    Q_ASSERT(control);
    const auto changed = [this, &option](const QVariant& value) { store(option, value); };
    switch (option.kind) {
    case Option::Kind::Switch: {
        auto* check = static_cast<QCheckBox*>(control);
        connect(check, &QCheckBox::toggled, this, changed);
        break;
    }
    case Option::Kind::Number:
        if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
            slider->setRange(option.low, option.highest());
            connect(slider, &QAbstractSlider::valueChanged, this, changed);
        } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            spin->setRange(option.low, option.highest());
            connect(spin, &QSpinBox::valueChanged, this, changed);
        }
        if (auto* slider = qobject_cast<UnitSlider*>(control); slider && option.unit)
            slider->setValueFormat(tr(option.unit));
        break;
    case Option::Kind::Choice:
        connect(static_cast<QComboBox*>(control), &QComboBox::currentIndexChanged, this, changed);
        break;
    case Option::Kind::Folder:
        connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, this,
                [this, &option] { chooseFolder(option); });
        break;
    }
}

void OptionsBox::showPreferences()
{
    if (!window_)
        return;
    showing_ = true;
    for (const Option* option : Options::all())
        show(*option, window_->findChild<QWidget*>(QString::fromLatin1(option->control)));
    showing_ = false;
}

void OptionsBox::show(const Option& option, QWidget* control)
{
    const QVariant value = preferences_.value(option);
    switch (option.kind) {
    case Option::Kind::Switch:
        static_cast<QCheckBox*>(control)->setChecked(value.toBool());
        break;
    case Option::Kind::Number:
        if (auto* slider = qobject_cast<QAbstractSlider*>(control))
            slider->setValue(value.toInt());
        else if (auto* spin = qobject_cast<QSpinBox*>(control))
            spin->setValue(value.toInt());
        break;
    case Option::Kind::Choice:
        static_cast<QComboBox*>(control)->setCurrentIndex(value.toInt());
        break;
    case Option::Kind::Folder: {
        auto* button = static_cast<ElidingButton*>(control);
        const QString folder = value.toString();
        button->setFullText(lastPathComponent(folder));
        button->setToolTip(folder);
        button->setAccessibleName(tr("Save into %1").arg(folder));
        break;
    }
    }
}

void OptionsBox::store(const Option& option, const QVariant& value)
{
    if (!showing_)
        preferences_.setValue(option, value);
}

void OptionsBox::chooseFolder(const Option& option)
{
    QFileDialog* chooser = sheetChooser(window_, tr("Choose the folder for fixed files"),
                                        nearestExistingFolder(preferences_.value(option).toString()),
                                        QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this, &option](const QString& folder) {
        preferences_.setValue(option, folder);
        showPreferences();
    });
    chooser->open();
}
