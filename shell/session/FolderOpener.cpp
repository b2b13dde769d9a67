#include "FolderOpener.h"

#include "DesktopCalls.h"

#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

FolderOpener::FolderOpener(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {}

void FolderOpener::showFile(const QString& file)
{
    const QString folder = QFileInfo(file).path();
    if (!bus_.isConnected())
        return openFolder(folder);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(DesktopCalls::showItems(file)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, folder] {
        watcher->deleteLater();
        if (watcher->isError())
            openFolder(folder);
    });
}

void FolderOpener::openFolder(const QString& folder)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return emit failed(folder);
    // xdg-open says when no program takes folders; the one that does may keep it waiting until
    // its window closes, so it is not waited for here.
    auto* process = new QProcess(this);
    process->setProgram(opener);
    process->setArguments({QUrl::fromLocalFile(folder).toString()});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [this, process, folder](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit || code != 0)
            emit failed(folder);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process, folder](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
            emit failed(folder);
        }
    });
    process->start();
}
