#include "SingleInstance.h"

#include "EventLoop.h"

#include <QtNetwork>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/syscall.h>

using Role = SingleInstance::Role;
constexpr uid_t nobody = 65534;

// Runs `work` on this thread as `uid` to the other end of a socket, with files still reached
// as root. Only root can be another user.
static void asUser(uid_t uid, const std::function<void()>& work)
{
    ::syscall(SYS_setresuid, -1, uid, -1);
    ::syscall(SYS_setfsuid, 0);
    work();
    ::syscall(SYS_setresuid, -1, 0, -1);
}

// A launch runs only from a folder private to this user, taking over a socket a crash left
// behind; when another holds the lock, its files count as handed over only once a peer of the
// same user has answered. (The hand-over itself is the app test's.)
TEST(SingleInstanceTest, ALaunchTrustsOnlyItsOwnFolderAndItsOwnUser)
{
    enum Peer { none, mute, otherUser };
    const struct { const char* launch; mode_t mode; bool viaLink, staleSocket; Peer peer; Role role; } launches[] = {
        {"the first after a crash", 0700, false, true, none, Role::Running},
        {"into a folder others may enter", 0755, false, false, none, Role::Alone},
        {"into a link to a private folder", 0700, true, false, none, Role::Alone},
        {"a later one, unanswered", 0700, false, false, mute, Role::Alone},
        {"a later one, answered by another user", 0700, false, false, otherUser, Role::Alone},
    };
    for (const auto& l : launches) {
        SCOPED_TRACE(l.launch);
        if (l.peer == otherUser && ::geteuid() != 0)
            continue;
        QTemporaryDir scratch;
        const QString folder = scratch.filePath("run"), socket = folder + "/mpgfix.socket";
        ASSERT_TRUE(::mkdir(QFile::encodeName(folder), l.mode) == 0 &&
                    (!l.staleSocket || QFile(socket).open(QIODevice::WriteOnly)) &&
                    (!l.viaLink || QFile::link(folder, scratch.filePath("link"))));
        QLockFile lock(folder + "/mpgfix.lock");
        QLocalServer peer;
        // Only the other user's peer answers; the mute one never even takes the connection.
        if (l.peer == otherUser)
            QObject::connect(&peer, &QLocalServer::newConnection, [&] {
                QLocalSocket* other = peer.nextPendingConnection();
                QObject::connect(other, &QLocalSocket::readyRead, [=] { other->putChar('\1'); });
            });
        if (l.peer != none)
            asUser(l.peer == otherUser ? nobody : 0, [&] { EXPECT_TRUE(lock.tryLock(0) && peer.listen(socket)); });
        Role role = Role::Running;
        const QString launchFolder = l.viaLink ? scratch.filePath("link") : folder;
        const auto launch = [&] { role = SingleInstance(launchFolder).start({"/clips/a.mov"}); };
        const std::unique_ptr<QThread> later(QThread::create(launch));
        later->start();
        EXPECT_TRUE(spinUntil([&] { return later->wait(QDeadlineTimer(0)); }, 20000));
        EXPECT_EQ(role, l.role);
        EXPECT_EQ(QFileInfo::exists(socket), l.peer != none) << "a launch leaves no socket behind";
    }
}

// The running one drops a connection from another user: it neither keeps nor answers it.
TEST(SingleInstanceTest, TheRunningOneIgnoresOtherUsers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can act as another user";
    QTemporaryDir scratch;
    SingleInstance host(scratch.path());
    ASSERT_EQ(host.start({}), Role::Running);
    QLocalSocket stranger;
    asUser(nobody, [&] { stranger.connectToServer(host.socketPath()); });
    QDataStream out(&stranger);
    out << QStringList{"/clips/a.mov"};
    EXPECT_TRUE(spinUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
}

// Each handed-over file is queued by exactly one launch, however late the running one answers:
// a launch that heard the answer in time leaves its files to it; one that gave up waiting runs
// alone with them, and the running one, answering later, drops them.
TEST(SingleInstanceTest, AHandedOverFileIsQueuedByExactlyOneLaunch)
{
    for (const bool busy : {false, true}) {
        SCOPED_TRACE(busy ? "a running one too busy to answer in time" : "a running one that answers");
        QTemporaryDir scratch;
        SingleInstance host(scratch.path());
        ASSERT_EQ(host.start({}), Role::Running);
        QStringList queued;
        QObject::connect(&host, &SingleInstance::filesReceived, [&](const QStringList& files) { queued << files; });
        Role role = Role::Running;
        const auto launch = [&] { role = SingleInstance(scratch.path()).start({"/clips/a.mov"}); };
        const std::unique_ptr<QThread> later(QThread::create(launch));
        later->start();
        // A busy running one serves its connections only after the later launch has given up.
        if (busy)
            later->wait();
        EXPECT_TRUE(spinUntil([&] { return later->wait(QDeadlineTimer(0)); }, 20000));
        spinUntil([] { return false; }, 300);
        EXPECT_EQ(role, busy ? Role::Alone : Role::HandedOver);
        EXPECT_EQ(queued, busy ? QStringList() : QStringList{"/clips/a.mov"});
    }
}
