#include "OptionsBox.h"

#include "ElidingButton.h"
#include "MainWindow.h"
#include "MiddleElision.h"
#include "Preferences.h"
#include "SheetChooser.h"
#include "UnitSlider.h"
#include "ui_MainWindow.h"

#include <QSignalBlocker>

namespace {

QString mbps(qint64 megabits) { return OptionsBox::tr("%1Mbps").arg(megabits); }

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
    const Ui::MainWindow& ui = window.ui();
    ui.bitrateSlider->setRange(int(Preferences::minBitrate), int(Preferences::maxBitrate));
    ui.bitrateSlider->setValueFormat(tr("%1 Mbps"));
    connect(ui.bitrateSlider, &QSlider::valueChanged, this, &OptionsBox::bitrateChanged);
    const std::pair<QCheckBox*, QString> checks[] = {
        {ui.forceCheck, Preferences::forceKey}, {ui.dvdCheck, Preferences::dvdKey}, {ui.barsCheck, Preferences::barsKey}};
    for (const auto& [check, key] : checks)
        connect(check, &QCheckBox::clicked, this, [this, check, key] { storeCheck(check, key); });
    connect(ui.takenCombo, &QComboBox::currentIndexChanged, this, &OptionsBox::takenChanged);
    // The combo lists waiting first.
    connect(ui.failureCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { preferences_.setWaitOnFailure(index == 0); });
    ui.filesAtOnceSpin->setRange(1, Preferences::maxFilesAtOnce());
    connect(ui.filesAtOnceSpin, &QSpinBox::valueChanged, this,
            [this](int count) { preferences_.setInteger(Preferences::filesAtOnceKey, count); });
    connect(ui.pathButton, &QPushButton::clicked, this, &OptionsBox::pathClicked);
}

void OptionsBox::showPreferences()
{
    if (!window_)
        return;
    const Ui::MainWindow& ui = window_->ui();
    ui.forceCheck->setChecked(preferences_.force());
    ui.dvdCheck->setChecked(preferences_.dvd());
    ui.barsCheck->setChecked(preferences_.keepProportions());
    {
        const QSignalBlocker quiet(ui.bitrateSlider);
        ui.bitrateSlider->setValue(int(preferences_.bitrate()));
        ui.bitrateDescription->setText(mbps(ui.bitrateSlider->value()));
    }
    {
        const QSignalBlocker quiet(ui.takenCombo);
        ui.takenCombo->setCurrentIndex(int(preferences_.nameTaken()));
    }
    {
        const QSignalBlocker quiet(ui.failureCombo);
        ui.failureCombo->setCurrentIndex(preferences_.waitOnFailure() ? 0 : 1);
    }
    {
        const QSignalBlocker quiet(ui.filesAtOnceSpin);
        ui.filesAtOnceSpin->setValue(preferences_.filesAtOnce());
    }
    ui.pathButton->setFullText(lastPathComponent(preferences_.path()));
    ui.pathButton->setToolTip(preferences_.path());
    ui.pathButton->setAccessibleName(tr("Save into %1").arg(preferences_.path()));
}

void OptionsBox::storeCheck(const QCheckBox* check, const QString& key)
{
    preferences_.setBool(key, check->checkState() == Qt::Checked);
}

void OptionsBox::bitrateChanged(int megabits)
{
    preferences_.setInteger(Preferences::bitrateKey, megabits);
    if (window_)
        window_->ui().bitrateDescription->setText(mbps(megabits));
}

// The combo lists the choices in the order of NameTaken.
void OptionsBox::takenChanged(int index) { preferences_.setNameTaken(NameTaken(index)); }

void OptionsBox::pathClicked()
{
    QFileDialog* chooser = sheetChooser(window_, tr("Choose the folder for fixed files"),
                                        nearestExistingFolder(preferences_.path()), QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        preferences_.setString(Preferences::pathKey, folder);
        showPreferences();
    });
    chooser->open();
}
