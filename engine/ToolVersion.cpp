#include "ToolVersion.h"

#include "ToolProcess.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

QString askToolVersion(const QString& program, std::chrono::milliseconds limit, std::stop_token quit)
{
    ToolProcess process;
    if (process.start(QFile::encodeName(program), {QByteArrayLiteral("-version")}, ToolProcess::Input::Empty,
                      ToolConfinement::writingOnly()))
        return {};
    // A killed tool's output ends, which ends the wait below.
    const std::stop_callback onQuit(quit, [&process] { process.signal(SIGKILL); });
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const int answer = fileno(process.output());
    QByteArray line;
    // Read as it comes until the first line ends: a tool that stops mid-line is given up at the
    // limit too, and ended as it leaves.
    while (!line.contains('\n') && line.size() < 512) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{answer, POLLIN, 0};
        const int polled = left.count() > 0 ? ::poll(&ready, 1, int(left.count())) : 0;
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return {};
        char chunk[256];
        const ssize_t got = ::read(answer, chunk, sizeof chunk);
        if (got <= 0)
            break;
        line.append(chunk, got);
    }
    // The rest of its answer is not needed, and a tool that hangs after its first line must not
    // hold whoever waits for this thread (the app's quit).
    process.kill();
    if (quit.stop_requested())
        return {};
    return QString::fromLocal8Bit(line.left(line.indexOf('\n'))).trimmed();
}

QString shortToolVersion(const QString& banner)
{
    // "ffmpeg version 5.1.6-0+deb12u1 Copyright ...": a numbered release loses what follows its
    // numbers; a build from source ("N-112345-gabc") keeps its word whole.
    static const QRegularExpression shape(QStringLiteral(R"(^(\S+) version (\d+(?:\.\d+)*(?=[-+~\s]|$)|\S+))"));
    const QRegularExpressionMatch found = shape.match(banner);
    return found.hasMatch() ? found.captured(1) + u' ' + found.captured(2) : banner;
}
