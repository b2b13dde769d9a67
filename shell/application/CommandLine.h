#pragma once

#include "BatchOptions.h"
#include "Option.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class QCommandLineParser;

// What the arguments of a launch ask for, decided before any window exists: text to print and
// an exit status (help, version, a mistake), a batch run without a window, or the files to open,
// made absolute so that they mean the same to an mpgfix already running elsewhere.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    explicit CommandLine(const QStringList& arguments);

    // Whether the launch ends here, with exitCode() after printing output() and errors().
    bool exits() const { return exits_; }
    int exitCode() const { return exitCode_; }
    // For standard output, and for standard error.
    QString output() const { return output_; }
    QString errors() const { return errors_; }
    QStringList files() const { return files_; }
    // A batch run was asked for: no window, no display.
    const std::optional<BatchOptions>& batch() const { return batch_; }

private:
    struct DiscFlags;

    void parse(const QStringList& arguments);
    // The disc the flags ask for; nothing, after a usage error, when a value is unusable.
    std::optional<DiscOptions> discOf(const QCommandLineParser& parser, const DiscFlags& flags);
    // The usable value of `option` given as `text`; nothing, after a usage error, when it is none.
    std::optional<QVariant> valueOf(const Option& option, const QString& text);
    // Ends the launch with the usage status; `pointToHelp` adds a line that points to --help.
    void usageError(const QString& message, bool pointToHelp = true);

    bool exits_ = false;
    int exitCode_ = 0;
    QString output_;
    QString errors_;
    QStringList files_;
    std::optional<BatchOptions> batch_;
};
