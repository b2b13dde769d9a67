#include "BatchIntake.h"

#include "FolderIntake.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Found files are handed on this often, so that each starts soon after it is found while a
// large folder or list is still read.
constexpr int handOnMilliseconds = 100;
// How long a wait for the list's next bytes lasts before the stop is looked at again.
constexpr int pollMilliseconds = 100;

bool namesNothing(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT;
}

} // namespace

BatchIntake::BatchIntake(const QStringList& paths, const QString& outputFolder, QObject* parent)
    : QObject(parent), paths_(paths), outputFolder_(outputFolder)
{
    handOnTimer_.setInterval(handOnMilliseconds);
    connect(&handOnTimer_, &QTimer::timeout, this, &BatchIntake::sendFound);
}

std::optional<QString> BatchIntake::readListFrom(const QString& list, bool nullSeparated)
{
    nullSeparated_ = nullSeparated;
    if (list == u"-") {
        listName_ = tr("standard input");
        // A copy of its own, so that the list is owned like a file is.
        list_ = UniqueFd(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3));
    } else {
        listName_ = list;
        list_ = UniqueFd(::open(QFile::encodeName(list).constData(), O_RDONLY | O_CLOEXEC));
    }
    if (list_.get() < 0)
        return tr("cannot read %1: %2").arg(listName_, qt_error_string(errno));
    return std::nullopt;
}

void BatchIntake::start()
{
    handOnTimer_.start();
    worker_ = std::jthread([this](const std::stop_token& stop) { gather(stop); });
}

void BatchIntake::gather(const std::stop_token& stop)
{
    QString failure;
    for (const QString& path : paths_) {
        if (stop.stop_requested())
            break;
        takeGiven(path, stop);
    }
    if (list_.get() >= 0 && !stop.stop_requested())
        failure = readList(stop);
    QMetaObject::invokeMethod(this, [this, failure] {
        handOnTimer_.stop();
        sendFound();
        emit finished(failure);
    }, Qt::QueuedConnection);
}

void BatchIntake::takeGiven(const QString& path, const std::stop_token& stop)
{
    if (namesNothing(path))
        return take(path, true);
    expandFolders({path}, [this](const QString& file) { take(file, false); }, stop, outputFolder_);
}

void BatchIntake::take(const QString& path, bool absent)
{
    const std::lock_guard lock(foundMutex_);
    unsentFiles_ << path;
    if (absent)
        unsentAbsent_ << path;
}

QString BatchIntake::readList(const std::stop_token& stop)
{
    const char separator = nullSeparated_ ? '\0' : '\n';
    QByteArray pending;
    char buffer[65536];
    for (;;) {
        pollfd ready{list_.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, pollMilliseconds);
        if (stop.stop_requested())
            return {};
        if (polled < 0 && errno != EINTR)
            return tr("cannot read %1: %2").arg(listName_, qt_error_string(errno));
        if (polled <= 0)
            continue;
        const ssize_t count = ::read(list_.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return tr("cannot read %1: %2").arg(listName_, qt_error_string(errno));
        // The last name may lack its separator.
        if (count == 0)
            pending += separator;
        else
            pending.append(buffer, count);
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf(separator, start)) >= 0; start = end + 1) {
            if (end > start)
                takeGiven(QDir::cleanPath(QFileInfo(QFile::decodeName(pending.mid(start, end - start))).absoluteFilePath()), stop);
            if (stop.stop_requested())
                return {};
        }
        pending.remove(0, start);
        if (count == 0)
            return {};
    }
}

void BatchIntake::sendFound()
{
    QStringList files, absent;
    {
        const std::lock_guard lock(foundMutex_);
        files = std::exchange(unsentFiles_, {});
        absent = std::exchange(unsentAbsent_, {});
    }
    if (!files.isEmpty())
        emit found(files, absent);
}
