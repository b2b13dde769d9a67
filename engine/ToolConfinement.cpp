#include "ToolConfinement.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/syscall.h>
#include <unistd.h>

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

ToolConfinement ToolConfinement::writingOnly(const QString& writable)
{
    const int abi = landlockAbi();
    if (abi == 0)
        return {};
    const uint64_t writing = writeFile | (abi >= 3 ? truncateFile : 0);
    RulesetAttributes attributes{writing | changeNames | (abi >= 2 ? refer : 0), abi >= 4 ? tcpBindAndConnect : 0,
                                 abi >= 6 ? abstractSocketsAndSignals : 0};
    const size_t known = abi >= 6 ? sizeof attributes : abi >= 4 ? 2 * sizeof(uint64_t) : sizeof(uint64_t);
    ToolConfinement confinement;
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
    if (abi == 0)
        return QCoreApplication::translate("ToolConfinement",
                                           "Confinement: none; this kernel offers no Landlock, so ffmpeg runs with "
                                           "mpgfix's own rights.");
    if (abi < 4)
        return QCoreApplication::translate("ToolConfinement",
                                           "Confinement: Landlock %1; ffmpeg may write only the file it makes, but "
                                           "this kernel cannot keep it off the network.").arg(abi);
    return QCoreApplication::translate("ToolConfinement",
                                       "Confinement: Landlock %1; ffmpeg may write only the file it makes, and "
                                       "make no TCP connection.").arg(abi);
}
