#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Finds the encoder tool: first among the app's own resources, `<app dir>/../libexec/mpgfix/`,
// then on PATH.
class ToolLocator {
public:
    // Looks beside the running executable and on this process's PATH.
    static ToolLocator forThisProcess(const QString& toolName = QStringLiteral("ffmpeg"));

    ToolLocator(const QString& toolName, const QString& applicationDir, const QByteArray& searchPath);

    // The absolute path of the first executable regular file found, or nothing.
    std::optional<QString> locate() const;
    // The folder of the app's resources, for telling the user where the tool was looked for.
    QString resourceDir() const { return resourceDir_; }

private:
    QString toolName_;
    QString resourceDir_;
    QByteArray searchPath_;
};
