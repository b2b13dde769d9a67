#include "ToolVersion.h"

#include "ToolProcess.h"

#include <QFile>

#include <array>

QString askToolVersion(const QString& program)
{
    ToolProcess process;
    if (process.start(QFile::encodeName(program), {QByteArrayLiteral("-version")}))
        return {};
    std::array<char, 512> line{};
    const bool answered = std::fgets(line.data(), int(line.size()), process.output()) != nullptr;
    // The rest of its answer is not needed; closing the pipe ends the tool if it still talks.
    process.wait();
    return answered ? QString::fromLocal8Bit(line.data()).trimmed() : QString();
}
