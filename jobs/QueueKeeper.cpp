#include "QueueKeeper.h"

#include "UniqueFd.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// The layout of the file; a reader takes only this one.
constexpr int version = 1;

// Puts `bytes` in place of `path` whole or not at all: written into a new file beside it, flushed
// to the disk, and renamed over it only when every step worked. A crash or a full disk midway
// leaves the last complete file. Returns the errno of the step that failed, 0 when all worked.
int replaceWhole(const QString& path, const QByteArray& bytes)
{
    const QByteArray final = QFile::encodeName(path);
    QByteArray written = final + ".XXXXXX";
    UniqueFd file(mkostemp(written.data(), O_CLOEXEC));
    if (file.get() < 0)
        return errno;
    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        const ssize_t wrote = ::write(file.get(), bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote > 0)
            done += wrote;
        else if (wrote == 0)
            error = ENOSPC;
        else if (errno != EINTR)
            error = errno;
    }
    if (error == 0 && ::fsync(file.get()) != 0)
        error = errno;
    if (error == 0 && ::close(file.release()) != 0)
        error = errno;
    if (error == 0 && ::rename(written.constData(), final.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(written.constData());
    return error;
}

bool unopenable(const QString& path)
{
    QFile file(path);
    return file.exists() && !file.open(QIODevice::ReadOnly);
}

} // namespace

QueueKeeper::QueueKeeper(JobQueue& queue, const QString& path, QObject* parent)
    : QObject(parent), queue_(queue), path_(path), leftAlone_(unopenable(path))
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
    if (leftAlone_)
        return;
    QJsonArray files;
    for (const JobQueue::Pending& pending : queue_.pending()) {
        QJsonObject file{{QStringLiteral("path"), pending.path}};
        if (!pending.temporaryOutput.isEmpty())
            file.insert(QStringLiteral("temporaryOutput"), pending.temporaryOutput);
        files.append(file);
    }
    QDir().mkpath(QFileInfo(path_).path());
    const int error = replaceWhole(
        path_, QJsonDocument(QJsonObject{{QStringLiteral("version"), version}, {QStringLiteral("files"), files}}).toJson());
    if (error != 0 && !std::exchange(failing_, true))
        emit saveFailed(tr("The list of files to fix could not be saved to %1: %2. It is tried again at the next "
                           "change.").arg(path_, qt_error_string(error)));
    if (error == 0)
        failing_ = false;
}

QueueKeeper::Restored QueueKeeper::restore(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {}, file.exists() ? file.errorString() : QString()};
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
