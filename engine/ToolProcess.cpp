#include "ToolProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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

// A pipe whose ends no started program inherits unless handed over explicitly.
std::optional<Pipe> makePipe()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    return Pipe{UniqueFd(ends[0]), UniqueFd(ends[1])};
}

class SpawnFileActions {
public:
    SpawnFileActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

class SpawnAttributes {
public:
    SpawnAttributes() { posix_spawnattr_init(&attributes_); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t* get() { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

ToolProcess::ExitStatus reap(pid_t pid)
{
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    if (result != pid)
        return {};
    if (WIFEXITED(status))
        return {ToolProcess::ExitStatus::Kind::Exited, WEXITSTATUS(status)};
    if (WIFSIGNALED(status))
        return {ToolProcess::ExitStatus::Kind::Signaled, WTERMSIG(status)};
    return {};
}

} // namespace

ToolProcess::~ToolProcess() { kill(); }

std::optional<ToolProcess::StartFailure> ToolProcess::start(const QByteArray& program,
                                                            const QList<QByteArray>& arguments)
{
    std::optional<Pipe> input = makePipe();
    if (!input)
        return StartFailure{StartFailure::Step::Pipe, errno};
    std::optional<Pipe> output = makePipe();
    if (!output)
        return StartFailure{StartFailure::Step::Pipe, errno};

    SpawnFileActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), input->readEnd.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), output->writeEnd.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), output->writeEnd.get(), STDERR_FILENO);
    // Descriptors the app opened without close-on-exec stay with the app all the same.
    posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);

    // The tool starts with no signal blocked or ignored, whatever this thread has set.
    SpawnAttributes attributes;
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(attributes.get(), &noSignals);
    posix_spawnattr_setsigdefault(attributes.get(), &allSignals);
    posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    argv.reserve(static_cast<size_t>(arguments.size()) + 2);
    argv.push_back(const_cast<char*>(program.constData()));
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int spawnError = posix_spawn(&pid, program.constData(), actions.get(), attributes.get(), argv.data(), environ);
    if (spawnError != 0)
        return StartFailure{StartFailure::Step::Spawn, spawnError};
    pid_ = pid;

    // Only the child may hold the output's write end, or the end of its output would never show.
    input->readEnd.reset();
    output->writeEnd.reset();
    input_ = std::move(input->writeEnd);

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
    const ExitStatus status = reap(pid_);
    pid_ = -1;
    return status;
}

void ToolProcess::kill()
{
    input_.reset();
    output_.reset();
    if (pid_ < 0)
        return;
    ::kill(pid_, SIGKILL);
    reap(pid_);
    pid_ = -1;
}
