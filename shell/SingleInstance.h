#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// One mpgfix per user: a later launch hands its files to the running one and exits, so that
// files opened during a job queue behind it in arrival order.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QObject* parent = nullptr);

    // Hands `files` to a running mpgfix; true when one took them.
    bool handOver(const QStringList& files);
    // Becomes the running mpgfix: files handed over later arrive through filesReceived.
    bool listen();

    static QString serverName();

signals:
    void filesReceived(const QStringList& files);

private:
    void receive();

    QLocalServer* server_ = nullptr;
};
