#include "ToolLocator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool isRunnable(const QString& candidate)
{
    const QFileInfo info(candidate);
    return info.isFile() && info.isExecutable();
}

} // namespace

ToolLocator ToolLocator::forThisProcess(const QString& toolName)
{
    // /proc/self/exe works before (and without) a QCoreApplication.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return ToolLocator(toolName, QFileInfo(executable).path(), qgetenv("PATH"));
}

ToolLocator::ToolLocator(const QString& toolName, const QString& applicationDir, const QByteArray& searchPath)
    : toolName_(toolName),
      resourceDir_(QDir::cleanPath(applicationDir + QStringLiteral("/../libexec/mpgfix"))),
      searchPath_(searchPath)
{
}

std::optional<QString> ToolLocator::locate() const
{
    const QString resource = resourceDir_ + u'/' + toolName_;
    if (isRunnable(resource))
        return resource;
    // An empty PATH entry would mean the working folder, which is no place to pick a tool from.
    for (const QByteArray& dir : searchPath_.split(':')) {
        if (dir.isEmpty())
            continue;
        const QString candidate = QFile::decodeName(dir) + u'/' + toolName_;
        if (isRunnable(candidate))
            return QFileInfo(candidate).absoluteFilePath();
    }
    return std::nullopt;
}
