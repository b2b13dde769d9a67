#pragma once

#include <QListView>

// The window's list of received files. Its room is there from the launch on, so that the first
// files never change the window's height: empty, it is part of the drop area and says nothing.
// It takes the room the window gives it, follows the running file until the user scrolls it
// elsewhere, and turns the user's Delete key, context menu and double-click into requests.
class JobListView : public QListView {
    Q_OBJECT

public:
    explicit JobListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // Brings `row` into view, unless the user has scrolled the list away from where it follows.
    void follow(const QModelIndex& row);

signals:
    void removeRequested(const QModelIndexList& rows);
    void retryRequested(const QModelIndexList& rows);
    void cancelRequested(const QModelIndexList& rows);
    void clearFinishedRequested();
    // Show the folder of the done file in `row`.
    void openRequested(const QModelIndex& row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // At least a few rows' height, with rows or without.
    void keepRoomForRows();

    bool following_ = true;
};
