#include "BatchIntake.h"

#include "FolderIntake.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Found files are handed on at least this often, so that the first ones start while a large
// folder or list is still read.
constexpr qint64 handOnMilliseconds = 100;
// How long a wait for the list's next bytes lasts before the stop is looked at again.
constexpr int pollMilliseconds = 100;

bool namesNothing(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) != 0 && errno == ENOENT;
}

} // namespace

// Collects found files on the gathering thread and hands them to the GUI thread now and then.
class BatchIntake::Batcher {
public:
    explicit Batcher(BatchIntake& intake) : intake_(intake) { sinceHandedOn_.start(); }
    ~Batcher() { handOn(); }

    void take(const QString& path, bool absent)
    {
        files_ << path;
        if (absent)
            absent_ << path;
        if (sinceHandedOn_.elapsed() >= handOnMilliseconds)
            handOn();
    }
    // A path as given: a folder stands for its video files.
    void takeGiven(const QString& path, const std::stop_token& stop)
    {
        if (namesNothing(path))
            return take(path, true);
        expandFolders({path}, [this](const QString& file) { take(file, false); }, stop);
    }

private:
    void handOn()
    {
        sinceHandedOn_.restart();
        if (files_.isEmpty())
            return;
        {
            const std::lock_guard lock(intake_.foundMutex_);
            intake_.unsentFiles_ << std::exchange(files_, {});
            intake_.unsentAbsent_ << std::exchange(absent_, {});
        }
        QMetaObject::invokeMethod(&intake_, &BatchIntake::sendFound, Qt::QueuedConnection);
    }

    BatchIntake& intake_;
    QStringList files_;
    QStringList absent_;
    QElapsedTimer sinceHandedOn_;
};

BatchIntake::BatchIntake(const QStringList& paths, QObject* parent) : QObject(parent), paths_(paths) {}

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
    worker_ = std::jthread([this](const std::stop_token& stop) { gather(stop); });
}

void BatchIntake::gather(const std::stop_token& stop)
{
    QString failure;
    {
        Batcher batcher(*this);
        for (const QString& path : paths_) {
            if (stop.stop_requested())
                break;
            batcher.takeGiven(path, stop);
        }
        if (list_.get() >= 0 && !stop.stop_requested())
            failure = readList(batcher, stop);
    }
    QMetaObject::invokeMethod(this, [this, failure] { emit finished(failure); }, Qt::QueuedConnection);
}

QString BatchIntake::readList(Batcher& batcher, const std::stop_token& stop)
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
                batcher.takeGiven(QDir::cleanPath(QFileInfo(QFile::decodeName(pending.mid(start, end - start))).absoluteFilePath()), stop);
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
