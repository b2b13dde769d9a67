#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// The status for a usage mistake, as the shells' own tools use it.
constexpr int usageError = 2;

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Brings video files into one MPEG-2 format with MP2 audio, "
                                        "each written as <name>.mpg."));
    // Not addHelpOption(): its --help-all would list options that this launch never reads.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, tr("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(tr("files"), tr("Video files or folders of them to fix."),
                                 tr("[files...]"));
    if (!parser.parse(arguments)) {
        exits_ = true;
        exitCode_ = usageError;
        errors_ = tr("%1: %2\nTry '%1 --help' for more information.\n")
                      .arg(QStringLiteral("mpgfix"), parser.errorText());
        return;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        exits_ = true;
        output_ = parser.isSet(help) ? parser.helpText()
                                     : QStringLiteral("mpgfix " MPGFIX_VERSION "\n");
        return;
    }
    for (const QString& argument : parser.positionalArguments())
        files_ << QFileInfo(argument).absoluteFilePath();
}
