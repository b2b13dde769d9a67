#include "ToolProcess.h"

#include <fcntl.h>
#include <linux/seccomp.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace {

struct Pipe {
    UniqueFd readEnd;
    UniqueFd writeEnd;
};

// A pipe whose ends no started program inherits unless handed over explicitly, and whose ends
// are none of 0, 1 and 2: the child duplicates its ends onto those, which would overwrite an
// end already there, or leave it close-on-exec.
std::optional<Pipe> makePipe()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    Pipe pipe{UniqueFd(ends[0]), UniqueFd(ends[1])};
    for (UniqueFd* end : {&pipe.readEnd, &pipe.writeEnd}) {
        if (end->get() > STDERR_FILENO)
            continue;
        UniqueFd moved(fcntl(end->get(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1));
        if (moved.get() < 0)
            return std::nullopt;
        *end = std::move(moved);
    }
    return pipe;
}

// Blocks every signal in this thread while it lives, so that no handler of the app runs in
// the child while the child still shares the app's memory.
class AllSignalsBlocked {
public:
    AllSignalsBlocked()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous_);
    }
    ~AllSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    AllSignalsBlocked(const AllSignalsBlocked&) = delete;
    AllSignalsBlocked& operator=(const AllSignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

// All the child needs, made before the fork: the child may then only make system calls.
struct ChildPlan {
    const char* program;
    char* const* argv;
    int input;
    int output;
    // Write end of a close-on-exec pipe: carries errno to the parent when the child fails.
    int failureReport;
    pid_t parent;
    // Descriptors below this are all there can be, for kernels without close_range's CLOEXEC.
    int descriptorLimit;
    // Landlock rules the tool runs under; -1 for none.
    int ruleset;
    // The seccomp program it runs under; null for none.
    const sock_fprog* socketFilter;
};

[[noreturn]] void failChild(const ChildPlan& plan)
{
    const int error = errno;
    // Four bytes into an empty pipe are written whole or not at all.
    [[maybe_unused]] const ssize_t written = write(plan.failureReport, &error, sizeof error);
    _exit(127);
}

[[noreturn]] void runChild(const ChildPlan& plan)
{
    // The tool dies with the thread that started it; if that has ended already, so must the tool.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
        failChild(plan);
    if (getppid() != plan.parent)
        _exit(127);
    if (setpgid(0, 0) != 0)
        failChild(plan);
    if (dup2(plan.input, STDIN_FILENO) < 0 || dup2(plan.output, STDOUT_FILENO) < 0 ||
        dup2(plan.output, STDERR_FILENO) < 0)
        failChild(plan);
    // Descriptors the app opened without close-on-exec stay with the app all the same. They go
    // at the exec rather than now, since the failure report must stay open until then.
    if (close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = STDERR_FILENO + 1; fd < plan.descriptorLimit; ++fd)
            fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    // The kernel takes rules from a process that can gain no rights by an exec, such as setuid's.
    if ((plan.ruleset >= 0 || plan.socketFilter != nullptr) && prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        failChild(plan);
    if (plan.ruleset >= 0 && syscall(SYS_landlock_restrict_self, plan.ruleset, 0) != 0)
        failChild(plan);
    if (plan.socketFilter != nullptr && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, plan.socketFilter) != 0)
        failChild(plan);
    // Signals that cannot be changed (SIGKILL, the C library's own) refuse quietly.
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber)
        sigaction(signalNumber, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execve(plan.program, plan.argv, environ);
    failChild(plan);
}

int descriptorLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 65536;
    return static_cast<int>(limit.rlim_cur);
}

} // namespace

ToolProcess::~ToolProcess() { kill(); }

std::optional<ToolProcess::StartFailure> ToolProcess::start(const QByteArray& program,
                                                            const QList<QByteArray>& arguments, Input inputKind,
                                                            const ToolConfinement& confinement)
{
    std::optional<Pipe> input = makePipe();
    if (input && inputKind == Input::Empty)
        input->readEnd = UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (input && input->readEnd.get() < 0)
        input.reset();
    std::optional<Pipe> output = input ? makePipe() : std::nullopt;
    std::optional<Pipe> failureReport = output ? makePipe() : std::nullopt;
    if (!failureReport)
        return StartFailure{StartFailure::Step::Pipe, errno};

    std::vector<char*> argv;
    argv.reserve(static_cast<size_t>(arguments.size()) + 2);
    argv.push_back(const_cast<char*>(program.constData()));
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    const ChildPlan plan{program.constData(), argv.data(), input->readEnd.get(), output->writeEnd.get(),
                         failureReport->writeEnd.get(), getpid(), descriptorLimit(), confinement.ruleset(),
                         confinement.socketFilter()};
    pid_t pid = -1;
    {
        const AllSignalsBlocked blocked;
        // vfork, not posix_spawn: the child must arrange to die with this thread before the exec.
        pid = vfork();
        if (pid == 0)
            runChild(plan);
    }
    if (pid < 0)
        return StartFailure{StartFailure::Step::Spawn, errno};
    {
        std::lock_guard lock(mutex_);
        pid_ = pid;
    }

    // Only the child may hold the output's write end, or the end of its output would never show.
    input->readEnd.reset();
    output->writeEnd.reset();
    failureReport->writeEnd.reset();
    input_ = std::move(input->writeEnd);

    // End of stream here means the exec has closed the report: the tool runs.
    int childError = 0;
    ssize_t got;
    do {
        got = read(failureReport->readEnd.get(), &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    if (got == sizeof childError) {
        kill();
        return StartFailure{StartFailure::Step::Spawn, childError};
    }

    FILE* stream = fdopen(output->readEnd.get(), "r");
    if (stream == nullptr) {
        const int streamError = errno;
        kill();
        return StartFailure{StartFailure::Step::Stream, streamError};
    }
    output->readEnd.release();
    output_.reset(stream);
    return std::nullopt;
}

ToolProcess::ExitStatus ToolProcess::wait()
{
    input_.reset();
    output_.reset();
    if (pid_ < 0)
        return {};
    return reap();
}

void ToolProcess::kill()
{
    input_.reset();
    output_.reset();
    if (pid_ < 0)
        return;
    signal(SIGKILL);
    reap();
}

void ToolProcess::signal(int signalNumber)
{
    std::lock_guard lock(mutex_);
    if (pid_ > 0)
        ::kill(-pid_, signalNumber);
}

ToolProcess::ExitStatus ToolProcess::reap()
{
    // Wait without reaping first: an unreaped tool keeps its id, so signal() cannot meet a
    // stranger while this thread sleeps.
    siginfo_t ended{};
    while (waitid(P_PID, static_cast<id_t>(pid_), &ended, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard lock(mutex_);
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid_, &status, 0);
    } while (result < 0 && errno == EINTR);
    const bool reaped = result == pid_;
    pid_ = -1;
    if (reaped && WIFEXITED(status))
        return {ExitStatus::Kind::Exited, WEXITSTATUS(status)};
    if (reaped && WIFSIGNALED(status))
        return {ExitStatus::Kind::Signaled, WTERMSIG(status)};
    return {};
}
