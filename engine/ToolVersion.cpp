#include "ToolVersion.h"

#include "ToolProcess.h"

#include <QFile>

#include <array>
#include <cerrno>

#include <poll.h>

QString askToolVersion(const QString& program, std::chrono::milliseconds limit)
{
    ToolProcess process;
    if (process.start(QFile::encodeName(program), {QByteArrayLiteral("-version")}, ToolProcess::Input::Empty))
        return {};
    pollfd answer{fileno(process.output()), POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&answer, 1, int(limit.count()));
    } while (ready < 0 && errno == EINTR);
    // A tool that says nothing in time is ended as it leaves.
    if (ready <= 0)
        return {};
    std::array<char, 512> line{};
    const bool answered = std::fgets(line.data(), int(line.size()), process.output()) != nullptr;
    // The rest of its answer is not needed; closing the pipe ends the tool if it still talks.
    process.wait();
    return answered ? QString::fromLocal8Bit(line.data()).trimmed() : QString();
}
