#include "QueueKeeper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

// The layout of the file; a reader takes only this one.
constexpr int version = 1;

} // namespace

QueueKeeper::QueueKeeper(JobQueue& queue, const QString& path, QObject* parent)
    : QObject(parent), queue_(queue), path_(path)
{
    // Written on the queue's first change, not at once: until then the kept file still holds
    // what the last run left, which a crash now would otherwise lose.
    connect(&queue, &JobQueue::pendingChanged, this, &QueueKeeper::save);
}

QString QueueKeeper::defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative XDG_STATE_HOME is to be ignored, as the XDG base directories say.
    if (QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/mpgfix/queue.json");
}

void QueueKeeper::save()
{
    QJsonArray files;
    for (const JobQueue::Pending& pending : queue_.pending()) {
        QJsonObject file{{QStringLiteral("path"), pending.path}};
        if (!pending.temporaryOutput.isEmpty())
            file.insert(QStringLiteral("temporaryOutput"), pending.temporaryOutput);
        files.append(file);
    }
    QDir().mkpath(QFileInfo(path_).path());
    // A crash in the middle of a write leaves the last complete file.
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(QJsonObject{{QStringLiteral("version"), version}, {QStringLiteral("files"), files}}).toJson());
        file.commit();
    }
}

QueueKeeper::Restored QueueKeeper::restore(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error{};
    const QJsonObject kept = QJsonDocument::fromJson(file.readAll(), &error).object();
    file.close();
    Restored restored;
    const QJsonValue files = kept.value(QStringLiteral("files"));
    if (error.error == QJsonParseError::NoError && kept.value(QStringLiteral("version")).toInt() == version && files.isArray()) {
        for (const QJsonValue& entry : files.toArray()) {
            const QString filePath = entry.toObject().value(QStringLiteral("path")).toString();
            if (!filePath.isEmpty())
                restored.files.push_back({filePath, entry.toObject().value(QStringLiteral("temporaryOutput")).toString()});
        }
        return restored;
    }
    restored.setAsideAs = path + QStringLiteral(".unread-")
                          + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QFile::rename(path, restored.setAsideAs);
    return restored;
}
