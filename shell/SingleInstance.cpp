#include "SingleInstance.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int handOverTimeoutMs = 5000;
constexpr char received = '\1';
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

QString SingleInstance::serverName() { return QStringLiteral("mpgfix-%1").arg(::getuid()); }

bool SingleInstance::handOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(handOverTimeoutMs))
        return false;
    QDataStream out(&socket);
    out << files;
    // The answer says the running mpgfix has queued them; without it they count as not handed over.
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(handOverTimeoutMs))
            return false;
    char answer = 0;
    return socket.waitForReadyRead(handOverTimeoutMs) && socket.getChar(&answer) && answer == received;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::receive);
    if (server_->listen(serverName()))
        return true;
    // A socket left behind by an mpgfix that crashed: nobody answered on it above.
    QLocalServer::removeServer(serverName());
    return server_->listen(serverName());
}

void SingleInstance::receive()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readFiles = [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QStringList files;
            in >> files;
            if (!in.commitTransaction())
                return;
            socket->putChar(received);
            emit filesReceived(files);
        };
        connect(socket, &QLocalSocket::readyRead, this, readFiles);
        if (socket->bytesAvailable() > 0)
            readFiles();
    }
}
