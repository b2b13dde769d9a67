#pragma once

#include "UniqueFd.h"

#include <QByteArray>
#include <QList>

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <optional>

// One run of an external tool, started without a shell. Its standard input is a pipe that
// stays open and silent; its standard output and standard error share one pipe, read through
// output(). The child never outlives this object: whatever is still running when it goes is
// killed and reaped.
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

    // Starts `program` (a path, not looked up on PATH) with `arguments`, each passed as it
    // stands. The child gets only descriptors 0, 1 and 2, and default signal handling.
    std::optional<StartFailure> start(const QByteArray& program, const QList<QByteArray>& arguments);

    // The tool's merged console output; null before a successful start().
    FILE* output() const { return output_.get(); }

    // Waits for the tool to end (after its output has ended) and tells how it ended.
    ExitStatus wait();
    // Ends the tool at once, whatever it does with signals, and reaps it.
    void kill();

private:
    struct FileCloser {
        void operator()(FILE* stream) const { fclose(stream); }
    };

    pid_t pid_ = -1;
    // Held open and never written, so the tool sees an input that delivers nothing yet never ends.
    UniqueFd input_;
    std::unique_ptr<FILE, FileCloser> output_;
};
