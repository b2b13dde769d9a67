#include "CommandLine.h"

#include "Preferences.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// The status for a usage mistake, as the shells' own tools use it.
constexpr int usageStatus = 2;

// More files at once than this only thrash any machine mpgfix is likely to meet.
constexpr int mostJobs = 1024;

std::optional<int> numberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments) { parse(arguments); }

void CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Brings video files into one MPEG-2 format with MP2 audio, "
                                        "each written as <name>.mpg.")
                                     + u'\n' + u'\n'
                                     + tr("With --batch it works without a window and without a display: it fixes the\n"
                                          "files and the video files in the folders given, prints a line for each as it\n"
                                          "ends, and exits with 0 when every file was fixed, 1 when any failed or was\n"
                                          "skipped, 2 for a mistake on the command line and 130 when interrupted.\n"
                                          "Options not given come from the window's settings; none is stored."));
    // Not addHelpOption(): its --help-all would list options that this launch never reads.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, tr("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption batch(QStringLiteral("batch"), tr("Fix the files without a window, and exit."));
    const QCommandLineOption output(QStringLiteral("output"), tr("Batch: write into <folder>."), tr("folder"));
    const QCommandLineOption bitrate(QStringLiteral("bitrate"), tr("Batch: re-encoded video at <n> Mbps, 1 to 9."),
                                     tr("n"));
    const QCommandLineOption taken(QStringLiteral("if-taken"),
                                   tr("Batch: when <name>.mpg exists, skip the file (message), keep both "
                                      "(keep) or replace the old file (replace)."),
                                   tr("rule"));
    const QCommandLineOption force(QStringLiteral("reencode-all"), tr("Batch: re-encode every file, even a conforming one."));
    const QCommandLineOption dvd(QStringLiteral("dvd"), tr("Batch: make files ready for DVD authoring."));
    const QCommandLineOption bars(QStringLiteral("keep-proportions"), tr("Batch: keep the picture's proportions (black bars)."));
    const QCommandLineOption jobs(QStringLiteral("jobs"), tr("Batch: fix <n> files at once (default: the window's Files at once)."), tr("n"));
    const QCommandLineOption json(QStringLiteral("json"), tr("Batch: print one JSON object per finished file."));
    const QList<QCommandLineOption> batchOnly{output, bitrate, taken, force, dvd, bars, jobs, json};
    parser.addOption(batch);
    parser.addOptions(batchOnly);
    parser.addPositionalArgument(tr("files"), tr("Video files or folders of them to fix."),
                                 tr("[files...]"));
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        exits_ = true;
        output_ = parser.isSet(help) ? parser.helpText()
                                     : QStringLiteral("mpgfix " MPGFIX_VERSION "\n");
        return;
    }
    for (const QString& argument : parser.positionalArguments())
        files_ << QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
    if (!parser.isSet(batch)) {
        for (const QCommandLineOption& option : batchOnly)
            if (parser.isSet(option))
                return usageError(tr("--%1 works only with --batch").arg(option.names().constFirst()));
        return;
    }

    BatchOptions options;
    options.inputs = files_;
    if (options.inputs.isEmpty())
        return usageError(tr("--batch needs files or folders to fix"));
    if (parser.isSet(output)) {
        const QString folder = parser.value(output);
        if (folder.isEmpty())
            return usageError(tr("--output needs a folder"));
        options.folder = QFileInfo(folder).absoluteFilePath();
    }
    if (parser.isSet(bitrate)) {
        options.bitrate = numberIn(parser.value(bitrate), int(Preferences::minBitrate), int(Preferences::maxBitrate));
        if (!options.bitrate)
            return usageError(tr("--bitrate takes a whole number from %1 to %2, not '%3'")
                                  .arg(Preferences::minBitrate).arg(Preferences::maxBitrate).arg(parser.value(bitrate)));
    }
    if (parser.isSet(taken)) {
        options.nameTaken = Preferences::nameTakenFromWord(parser.value(taken));
        if (!options.nameTaken)
            return usageError(tr("--if-taken takes message, keep or replace, not '%1'").arg(parser.value(taken)));
    }
    if (parser.isSet(jobs)) {
        const std::optional<int> count = numberIn(parser.value(jobs), 1, mostJobs);
        if (!count)
            return usageError(tr("--jobs takes a whole number from 1 to %1, not '%2'").arg(mostJobs).arg(parser.value(jobs)));
        options.jobs = *count;
    }
    options.force = parser.isSet(force);
    options.dvd = parser.isSet(dvd);
    options.keepProportions = parser.isSet(bars);
    options.json = parser.isSet(json);
    batch_ = options;
}

void CommandLine::usageError(const QString& message)
{
    exits_ = true;
    exitCode_ = usageStatus;
    files_.clear();
    errors_ = tr("%1: %2\nTry '%1 --help' for more information.\n").arg(QStringLiteral("mpgfix"), message);
}
