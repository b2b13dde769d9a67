#include "ToolConfinement.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/landlock.h>
#include <linux/seccomp.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

namespace {

// The kernel's interface as of its version 6; each version reads the leading fields it knows.
struct RulesetAttributes {
    uint64_t handledFileAccess;
    uint64_t handledNetAccess;
    uint64_t scoped;
};

struct PathRule {
    uint64_t allowedAccess;
    int32_t parentFd;
} __attribute__((packed));

constexpr uint64_t writeFile = 1ULL << 1;
// Every change to the file system but writing into a file that is open: removing, making and
// linking names.
constexpr uint64_t changeNames = (1ULL << 4) | (1ULL << 5) | (1ULL << 6) | (1ULL << 7) | (1ULL << 8) | (1ULL << 9)
                                 | (1ULL << 10) | (1ULL << 11) | (1ULL << 12);
constexpr uint64_t refer = 1ULL << 13;     // version 2
constexpr uint64_t truncateFile = 1ULL << 14;  // version 3
constexpr uint64_t tcpBindAndConnect = (1ULL << 0) | (1ULL << 1);  // version 4
constexpr uint64_t abstractSocketsAndSignals = (1ULL << 0) | (1ULL << 1);  // version 6
constexpr int ruleOfPath = 1;

#if defined(__x86_64__)
constexpr uint32_t nativeArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr uint32_t nativeArchitecture = AUDIT_ARCH_AARCH64;
#else
constexpr uint32_t nativeArchitecture = 0;
#endif

// socket() of any family but AF_UNIX fails with EACCES, and so do the other ways to a socket: the
// system calls of another numbering (32-bit, x32) and io_uring, which makes sockets of its own.
constexpr uint32_t refuse = SECCOMP_RET_ERRNO | EACCES;
constexpr uint32_t otherNumbering = 0x40000000;
constexpr sock_filter socketRules[] = {
    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nativeArchitecture, 1, 0),
    BPF_STMT(BPF_RET | BPF_K, refuse),
    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, otherNumbering, 4, 0),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_io_uring_setup, 3, 0),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 0, 3),
    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AF_UNIX, 1, 0),
    BPF_STMT(BPF_RET | BPF_K, refuse),
    BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
};
const sock_fprog socketProgram{sizeof socketRules / sizeof socketRules[0], const_cast<sock_filter*>(socketRules)};

int askAbi()
{
    const long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    return abi > 0 ? int(abi) : 0;
}

} // namespace

int ToolConfinement::landlockAbi()
{
    static const int abi = askAbi();
    return abi;
}

bool ToolConfinement::filtersSockets()
{
    static const bool filters = [] {
        uint32_t action = SECCOMP_RET_ERRNO;
        return nativeArchitecture != 0 && syscall(SYS_seccomp, SECCOMP_GET_ACTION_AVAIL, 0, &action) == 0;
    }();
    return filters;
}

ToolConfinement ToolConfinement::writingOnly(const QString& writable)
{
    ToolConfinement confinement;
    if (filtersSockets())
        confinement.socketFilter_ = &socketProgram;
    const int abi = landlockAbi();
    if (abi == 0)
        return confinement;
    const uint64_t writing = writeFile | (abi >= 3 ? truncateFile : 0);
    RulesetAttributes attributes{writing | changeNames | (abi >= 2 ? refer : 0), abi >= 4 ? tcpBindAndConnect : 0,
                                 abi >= 6 ? abstractSocketsAndSignals : 0};
    const size_t known = abi >= 6 ? sizeof attributes : abi >= 4 ? 2 * sizeof(uint64_t) : sizeof(uint64_t);
    confinement.ruleset_ = UniqueFd(int(syscall(SYS_landlock_create_ruleset, &attributes, known, 0)));
    if (confinement.ruleset() < 0)
        return confinement;
    // What is written to /dev/null goes nowhere; tools and the shells around them take it for granted.
    const UniqueFd sink(::open("/dev/null", O_PATH | O_CLOEXEC));
    UniqueFd file;
    if (!writable.isEmpty()) {
        const QByteArray path = QFile::encodeName(writable);
        file = UniqueFd(::open(path.constData(), O_PATH | O_CLOEXEC));
        if (file.get() < 0 && errno == ENOENT)
            file = UniqueFd(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    // No rule for a file that cannot be made: the tool could not write it anyway.
    for (const UniqueFd* allowed : {&sink, static_cast<const UniqueFd*>(&file)}) {
        PathRule rule{writing, allowed->get()};
        if (allowed->get() >= 0)
            syscall(SYS_landlock_add_rule, confinement.ruleset(), ruleOfPath, &rule, 0);
    }
    return confinement;
}

QString ToolConfinement::description()
{
    const int abi = landlockAbi();
    const QString writes =
        abi > 0 ? QCoreApplication::translate("ToolConfinement", "Landlock %1 lets ffmpeg write only the file it makes.")
                      .arg(abi)
                : QCoreApplication::translate("ToolConfinement",
                                              "This kernel has no Landlock: ffmpeg may write wherever mpgfix may.");
    QString network = QCoreApplication::translate("ToolConfinement", "Nothing keeps it off the network.");
    if (filtersSockets())
        network = QCoreApplication::translate("ToolConfinement", "A seccomp filter keeps it off the network.");
    else if (abi >= 4)
        network = QCoreApplication::translate("ToolConfinement",
                                              "Landlock blocks its TCP connections, but no other network traffic.");
    return QCoreApplication::translate("ToolConfinement", "Confinement: %1 %2").arg(writes, network);
}
