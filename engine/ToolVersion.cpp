#include "ToolVersion.h"

#include "ToolProcess.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>

#include <poll.h>
#include <unistd.h>

QString askToolVersion(const QString& program, std::chrono::milliseconds limit)
{
    ToolProcess process;
    if (process.start(QFile::encodeName(program), {QByteArrayLiteral("-version")}, ToolProcess::Input::Empty))
        return {};
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
    // The rest of its answer is not needed; closing the pipe ends the tool if it still talks.
    process.wait();
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
