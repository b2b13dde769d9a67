#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;

// One mpgfix per user session: a later launch hands its files to the running one and exits,
// so that files opened during a job queue behind it in arrival order. The socket and the lock
// that decides which launch runs live in a folder only this user can enter.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        Running,     // this launch runs and takes the files of later launches
        HandedOver,  // the running mpgfix took this launch's files
        Alone,       // no running mpgfix could be made sure of: run, but take no files
    };

    explicit SingleInstance(const QString& folder = sessionFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running mpgfix, or hands `files` to it. Blocks for a few seconds at most.
    Role start(const QStringList& files);

    QString socketPath() const;
    QString lockPath() const;

    // $XDG_RUNTIME_DIR when it is private to this user, else <temp>/mpgfix-<uid>.d, created
    // private when missing. start() refuses a folder that others may enter.
    static QString sessionFolder();

signals:
    void filesReceived(const QStringList& files);

private:
    bool handOver(const QStringList& files);
    bool listen();
    void receive();

    const QString folder_;
    QLockFile lock_;
    // After the lock: the socket must be gone before the lock passes to a later launch.
    std::unique_ptr<QLocalServer> server_;
};
