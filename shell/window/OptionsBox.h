#pragma once

#include <QObject>
#include <QPointer>

class MainWindow;
class Preferences;
struct Option;

// The window's options: each option's control, found by the name the option gives it, shows
// the stored value, and each change the user makes is stored at once.
class OptionsBox : public QObject {
    Q_OBJECT

public:
    OptionsBox(MainWindow& window, Preferences& preferences, QObject* parent = nullptr);

    // Every control as the preferences say; showing a value never stores it.
    void showPreferences();

private:
    void bind(const Option& option, QWidget* control);
    void show(const Option& option, QWidget* control);
    void store(const Option& option, const QVariant& value);
    // A window-modal folder chooser; returns at once.
    void chooseFolder(const Option& option);

    QPointer<MainWindow> window_;
    Preferences& preferences_;
    // While the controls are being filled their change signals store nothing.
    bool showing_ = false;
};
