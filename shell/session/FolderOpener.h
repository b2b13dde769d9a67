#pragma once

#include <QDBusConnection>
#include <QObject>

// Shows a file in its folder in the desktop's file manager: through the file manager's own
// D-Bus service, which selects the file, else through xdg-open on the folder. Says when neither
// answers, so that the window can tell the user rather than a terminal nobody reads.
class FolderOpener : public QObject {
    Q_OBJECT

public:
    explicit FolderOpener(const QDBusConnection& bus, QObject* parent = nullptr);

    // Returns at once.
    void showFile(const QString& file);

signals:
    void failed(const QString& folder);

private:
    void openFolder(const QString& folder);

    QDBusConnection bus_;
};
