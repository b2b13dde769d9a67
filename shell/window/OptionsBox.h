#pragma once

#include <QObject>
#include <QPointer>

class MainWindow;
class Preferences;
class QCheckBox;

// The window's options: shows the preferences in their controls and stores each change the
// user makes at once.
class OptionsBox : public QObject {
    Q_OBJECT

public:
    OptionsBox(MainWindow& window, Preferences& preferences, QObject* parent = nullptr);

    // Every control as the preferences say; showing a value never stores it.
    void showPreferences();

private:
    void storeCheck(const QCheckBox* check, const QString& key);
    void bitrateChanged(int megabits);
    void takenChanged(int index);
    // A window-modal folder chooser; returns at once.
    void pathClicked();

    QPointer<MainWindow> window_;
    Preferences& preferences_;
};
