#include "SingleInstance.h"

#include "EventLoop.h"

#include <QtNetwork>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using Role = SingleInstance::Role;

namespace {

constexpr uid_t nobody = 65534;

// Runs `work` on this thread as `uid` to the other end of a socket, while files are still
// reached as root. Only root can.
void asUser(uid_t uid, const std::function<void()>& work)
{
    ::syscall(SYS_setresuid, -1, uid, -1);
    ::syscall(SYS_setfsuid, 0);
    work();
    ::syscall(SYS_setresuid, -1, 0, -1);
}

// A launch on a thread of its own, so that this thread can serve it; true when it listens.
std::pair<Role, bool> launch(const QString& folder, const QStringList& files)
{
    std::pair<Role, bool> result;
    std::atomic<bool> done{false};
    std::thread launcher([&] {
        SingleInstance instance(folder);
        result = {instance.start(files), QFileInfo::exists(instance.socketPath())};
        done = true;
    });
    spinUntil([&] { return done.load(); }, 20000);
    launcher.join();
    return result;
}

} // namespace

// The lock decides which launch runs, in a folder only this user may enter. A later launch's
// files count as handed over only when the running mpgfix of the same user has answered.
TEST(SingleInstanceTest, OneLaunchRunsAndTheOthersHandTheirFilesToIt)
{
    enum Peer { none, running, mute, otherUser };
    const struct { const char* launch; mode_t mode; bool viaLink, staleSocket; Peer peer; Role role; } launches[] = {
        {"the first", 0700, false, false, none, Role::Running},
        {"the first after a crash", 0700, false, true, none, Role::Running},
        {"into a folder others may enter", 0755, false, false, none, Role::Alone},
        {"into a link to a private folder", 0700, true, false, none, Role::Alone},
        {"a later one", 0700, false, false, running, Role::HandedOver},
        {"a later one, unanswered", 0700, false, false, mute, Role::Alone},
        {"a later one, answered by another user", 0700, false, false, otherUser, Role::Alone},
    };
    const QStringList files{"/clips/a.mov", "/clips/b c.avi"};
    for (const auto& l : launches) {
        SCOPED_TRACE(l.launch);
        if (l.peer == otherUser && ::geteuid() != 0)
            continue;
        QTemporaryDir scratch;
        const QString folder = scratch.filePath("run");
        ASSERT_EQ(::mkdir(QFile::encodeName(folder), l.mode), 0);
        ASSERT_TRUE(!l.viaLink || QFile::link(folder, scratch.filePath("link")));
        SingleInstance host(folder);
        QList<QStringList> received;
        QObject::connect(&host, &SingleInstance::filesReceived, [&](const QStringList& f) { received << f; });
        ASSERT_TRUE(!l.staleSocket || QFile(host.socketPath()).open(QIODevice::WriteOnly));
        QLockFile lock(host.lockPath());
        QLocalServer peer;
        QObject::connect(&peer, &QLocalServer::newConnection, [&] {
            QLocalSocket* other = peer.nextPendingConnection();
            if (l.peer == otherUser)
                QObject::connect(other, &QLocalSocket::readyRead, [=] { other->readAll(); other->putChar('\1'); });
        });
        if (l.peer == running)
            ASSERT_EQ(host.start({}), Role::Running);
        else if (l.peer != none)
            asUser(l.peer == mute ? ::geteuid() : nobody, [&] { EXPECT_TRUE(lock.tryLock(0) && peer.listen(host.socketPath())); });

        const auto [role, listening] = launch(l.viaLink ? scratch.filePath("link") : folder, files);
        EXPECT_EQ(role, l.role);
        EXPECT_EQ(listening, role == Role::Running || l.peer != none);
        EXPECT_EQ(received, role == Role::HandedOver ? QList<QStringList>{files} : QList<QStringList>());
    }
}

// The running one drops a connection from another user unread.
TEST(SingleInstanceTest, TheRunningOneIgnoresOtherUsers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can act as another user";
    QTemporaryDir scratch;
    ASSERT_EQ(::mkdir(QFile::encodeName(scratch.filePath("run")), 0700), 0);
    SingleInstance host(scratch.filePath("run"));
    ASSERT_EQ(host.start({}), Role::Running);
    bool received = false;
    QObject::connect(&host, &SingleInstance::filesReceived, [&] { received = true; });
    QLocalSocket stranger;
    asUser(nobody, [&] { stranger.connectToServer(host.socketPath()); });
    QDataStream out(&stranger);
    out << QStringList{"/clips/a.mov"};
    EXPECT_TRUE(spinUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_FALSE(received);
}

// The session's runtime folder when it is private, else a folder of our own, made private.
TEST(SingleInstanceTest, SessionFolderIsPrivate)
{
    QTemporaryDir scratch;
    qputenv("TMPDIR", QFile::encodeName(scratch.path()));
    const QString own = scratch.filePath(QString("mpgfix-%1").arg(::geteuid()));
    const QString open = scratch.filePath("open"), session = scratch.filePath("session");
    ASSERT_TRUE(::mkdir(QFile::encodeName(open), 0755) == 0 && ::mkdir(QFile::encodeName(session), 0700) == 0);
    for (const auto& [runtime, folder] : {std::pair{QString(), own}, {open, own}, {session, session}}) {
        SCOPED_TRACE(runtime.toStdString());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        EXPECT_EQ(SingleInstance::sessionFolder(), folder);
        struct stat status {};
        EXPECT_TRUE(::lstat(QFile::encodeName(folder), &status) == 0 && (status.st_mode & 0777) == 0700);
    }
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("TMPDIR");
}
