#include "SingleInstance.h"

#include <memory>
#include <optional>

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int handOverTimeoutMs = 3000;
// How long a launch waits for the lock's holder, which may still be starting, to listen.
constexpr int startWaitMs = 3000;
constexpr unsigned long retryPauseMs = 50;
constexpr char received = '\1';
// The later launch's word that it heard the answer and leaves its files to the running one.
constexpr char committed = '\2';

// A folder itself (not a link to one), owned by this user and closed to everyone else.
bool isPrivate(const QString& folder)
{
    struct stat status {};
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The other end of a connected socket runs as this user.
bool isSameUser(const QLocalSocket& socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder), lock_(lockPath())
{
    // The holder may run for days; only a holder that has died leaves a stale lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath() const { return folder_ + QStringLiteral("/mpgfix.socket"); }

QString SingleInstance::lockPath() const { return folder_ + QStringLiteral("/mpgfix.lock"); }

QString SingleInstance::sessionFolder()
{
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivate(session))
        return session;
    // Not <temp>/mpgfix-<uid>: older builds left their socket file at exactly that path.
    const QString own = QDir::tempPath() + QStringLiteral("/mpgfix-%1.d").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    return own;
}

SingleInstance::Role SingleInstance::start(const QStringList& files)
{
    if (!isPrivate(folder_))
        return Role::Alone;
    const QDeadlineTimer deadline(startWaitMs);
    do {
        if (lock_.tryLock(0))
            return listen() ? Role::Running : Role::Alone;
        if (handOver(files))
            return Role::HandedOver;
        QThread::msleep(retryPauseMs);
    } while (!deadline.hasExpired());
    return Role::Alone;
}

bool SingleInstance::handOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(handOverTimeoutMs) || !isSameUser(socket))
        return false;
    QDataStream out(&socket);
    out << files;
    // The answer says the running mpgfix has queued them; without it they count as not handed over.
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(handOverTimeoutMs))
            return false;
    char answer = 0;
    if (!socket.waitForReadyRead(handOverTimeoutMs) || !socket.getChar(&answer) || answer != received)
        return false;
    // Only now does the running one queue them: had this launch given up waiting, it would run
    // with them itself, and each file must be queued once.
    socket.putChar(committed);
    return socket.waitForBytesWritten(handOverTimeoutMs);
}

bool SingleInstance::listen()
{
    server_ = std::make_unique<QLocalServer>();
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::receive);
    // Only the lock's holder gets here, so a socket already there is one a crashed mpgfix left.
    QLocalServer::removeServer(socketPath());
    return server_->listen(socketPath());
}

void SingleInstance::receive()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!isSameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto files = std::make_shared<std::optional<QStringList>>();
        const auto readFiles = [this, socket, files] {
            if (!*files) {
                QDataStream in(socket);
                in.startTransaction();
                QStringList list;
                in >> list;
                if (!in.commitTransaction())
                    return;
                *files = list;
                socket->putChar(received);
            }
            // A launch that gave up before it heard the answer takes its files itself.
            char mark = 0;
            if (socket->bytesAvailable() > 0 && socket->getChar(&mark) && mark == committed)
                emit filesReceived(**files);
        };
        connect(socket, &QLocalSocket::readyRead, this, readFiles);
        if (socket->bytesAvailable() > 0)
            readFiles();
    }
}
