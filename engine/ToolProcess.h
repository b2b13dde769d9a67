#pragma once

#include "ToolConfinement.h"
#include "UniqueFd.h"

#include <QByteArray>
#include <QList>

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

// One run of an external tool, started without a shell. Its standard input is a pipe that
// stays open and silent; its standard output and standard error share one pipe, read through
// output(). The tool runs in a process group of its own, so that ending it also ends whatever
// it started. The child never outlives this object: whatever is still running when it goes is
// killed and reaped.
//
// On Linux the tool also dies with the thread that started it, even when the app gets no
// chance to clean up (SIGKILL, a crash). Call start() from a thread that lives as long as the
// run, as the work queue's worker does.
class ToolProcess {
public:
    struct StartFailure {
        enum class Step { Pipe, Spawn, Stream };
        Step step;
        int errorNumber;
    };

    struct ExitStatus {
        enum class Kind { Exited, Signaled, Unknown };
        Kind kind = Kind::Unknown;
        // The exit code, or the number of the signal that ended the tool.
        int value = 0;

        bool failed() const { return (kind == Kind::Exited && value != 0) || kind == Kind::Signaled; }
    };

    ToolProcess() = default;
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    // What the tool reads on its standard input.
    enum class Input {
        // Nothing, yet it never ends: a tool that waits for keys waits, and never takes one.
        Endless,
        // /dev/null: a tool that reads it ends at once.
        Empty,
    };

    // Starts `program` (a path, not looked up on PATH) with `arguments`, each passed as it
    // stands. The child gets only descriptors 0, 1 and 2, no blocked signals and default
    // signal handling, and runs within `confinement`. Returns once the program runs, or tells why
    // it could not.
    std::optional<StartFailure> start(const QByteArray& program, const QList<QByteArray>& arguments,
                                      Input input = Input::Endless, const ToolConfinement& confinement = {});

    // The tool's merged console output; null before a successful start().
    FILE* output() const { return output_.get(); }

    // Waits for the tool to end (after its output has ended) and tells how it ended.
    ExitStatus wait();
    // Ends the tool at once, whatever it does with signals, and reaps it.
    void kill();
    // Any thread: sends `signalNumber` to the tool's process group while the tool has not
    // been reaped; afterwards it does nothing, so it never reaches a process that reused the id.
    void signal(int signalNumber);

private:
    struct FileCloser {
        void operator()(FILE* stream) const { fclose(stream); }
    };

    ExitStatus reap();

    // Guards pid_ against signal() from other threads.
    std::mutex mutex_;
    pid_t pid_ = -1;
    // Held open and never written, so the tool sees an input that delivers nothing yet never ends.
    UniqueFd input_;
    std::unique_ptr<FILE, FileCloser> output_;
};
