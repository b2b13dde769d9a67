#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

// The main window as laid out in MainWindow.ui. Its controller decides whether it may close.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const Ui::MainWindow& ui() const;
    // Asked on every close request; an empty check lets the window close.
    void setMayClose(std::function<bool()> mayClose);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A drag anywhere on the window is a drag over its drop area.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::unique_ptr<Ui::MainWindow> ui_;
    std::function<bool()> mayClose_;
};
