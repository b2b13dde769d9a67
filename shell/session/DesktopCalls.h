#pragma once

#include <QDBusMessage>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

// The calls mpgfix makes to the desktop's services, built in one place.
namespace DesktopCalls {

// A call to the notification server's `method`.
inline QDBusMessage notifications(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"), method);
}

// A new notification from mpgfix, with no actions or hints, shown for `timeoutMs` (-1: as
// long as the server likes).
inline QDBusMessage notify(const QString& summary, const QString& body, int timeoutMs)
{
    QDBusMessage call = notifications(QStringLiteral("Notify"));
    const QString app = QStringLiteral("mpgfix");
    call << app << 0u << app << summary << body << QStringList() << QVariantMap() << timeoutMs;
    return call;
}

// Asks the file manager to show `file` selected in its folder.
inline QDBusMessage showItems(const QString& file)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    return call;
}

// A call to logind's manager `method`.
inline QDBusMessage logind(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                          QStringLiteral("/org/freedesktop/login1"),
                                          QStringLiteral("org.freedesktop.login1.Manager"), method);
}

} // namespace DesktopCalls
