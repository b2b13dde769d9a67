#include "CommandLine.h"

#include "DiscFit.h"
#include "Options.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// The status for a usage mistake, as the shells' own tools use it.
constexpr int usageStatus = 2;

// --help's line for a flag, with the default a batch run takes when the flag is not given.
QCommandLineOption flagOf(const Option& option)
{
    QString help = QCoreApplication::translate("CommandLine", option.help);
    QString byDefault;
    if (option.kind == Option::Kind::Number)
        byDefault = QString::number(option.defaultValue.toInt());
    else if (option.kind == Option::Kind::Choice)
        byDefault = option.wordsOfFlag().value(option.defaultValue.toInt());
    if (!byDefault.isEmpty() && help.endsWith(u'.'))
        help = CommandLine::tr("%1; default %2.").arg(help.chopped(1), byDefault);
    if (option.kind == Option::Kind::Switch)
        return {QString::fromLatin1(option.flag), help};
    return {QString::fromLatin1(option.flag), help, QCoreApplication::translate("CommandLine", option.valueName)};
}

// "message, keep or replace"
QString alternatives(const QStringList& words)
{
    return words.size() < 2 ? words.value(0)
                            : CommandLine::tr("%1 or %2").arg(words.first(words.size() - 1).join(QStringLiteral(", ")),
                                                              words.last());
}

} // namespace

// The flags for a disc made of a batch run's files: one-run choices, never stored.
struct CommandLine::DiscFlags {
    const QCommandLineOption capacity{QStringLiteral("disc"),
                                      tr("Batch: fit one video bitrate for all the files to a disc: dvd5, dvd9 or "
                                         "<N>MB."),
                                      tr("size")};
    const QCommandLineOption folder{QStringLiteral("dvd-folder"),
                                    tr("Batch: make a DVD-Video folder, <folder>/<title>, of the fixed files "
                                       "(implies --dvd)."),
                                    tr("folder")};
    const QCommandLineOption image{QStringLiteral("iso"),
                                   tr("Batch: make a disc image of the fixed files as <file> (implies --dvd)."),
                                   tr("file")};
    const QCommandLineOption chapters{QStringLiteral("chapters"),
                                      tr("Batch: a chapter on the disc every <minutes>, 1 to 99 (default 5)."),
                                      tr("minutes")};
    const QCommandLineOption title{QStringLiteral("title"),
                                   tr("Batch: the disc's title, its folder's name and volume label (default DVD)."),
                                   tr("name")};

    QList<QCommandLineOption> all() const { return {capacity, folder, image, chapters, title}; }
};

CommandLine::CommandLine(const QStringList& arguments) { parse(arguments); }

void CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Brings video files into one MPEG-2 format with MP2 audio, "
                                        "each written as <name>.mpg.")
                                     + u'\n' + u'\n'
                                     + tr("With --batch it works without a window and without a display: it fixes the\n"
                                          "files and the video files in the folders given, prints a line for each as it\n"
                                          "ends, and exits with 0 when every file was fixed or its output was there\n"
                                          "already, 1 when any failed, 2 for a mistake on the command line and 128+N\n"
                                          "after signal N (130 for Ctrl+C, 143 for SIGTERM, 129 for SIGHUP).\n"
                                          "--output is required; every other option not given takes the default shown,\n"
                                          "whoever runs it: the window's settings are not read, and none is stored."));
    // Not addHelpOption(): its --help-all would list options that this launch never reads.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, tr("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption batch(QStringLiteral("batch"), tr("Fix the files without a window, and exit."));
    parser.addOption(batch);
    std::vector<std::pair<const Option*, QCommandLineOption>> flags;
    for (const Option* option : Options::all())
        if (option->flag)
            parser.addOption(flags.emplace_back(option, flagOf(*option)).second);
    const QCommandLineOption json(QStringLiteral("json"), tr("Batch: print one JSON object per finished file."));
    parser.addOption(json);
    const QCommandLineOption filesFrom(QStringLiteral("files-from"),
                                       tr("Batch: fix the files and folders named in <list>, one a line; - reads "
                                          "them from standard input."),
                                       tr("list"));
    parser.addOption(filesFrom);
    const QCommandLineOption null(QStringLiteral("null"),
                                  tr("Batch: the names in the list end in NUL, as find -print0 writes them."));
    parser.addOption(null);
    const DiscFlags disc;
    parser.addOptions(disc.all());
    parser.addPositionalArgument(tr("files"), tr("Video files or folders of them to fix."), tr("[files...]"));
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        exits_ = true;
        output_ = parser.isSet(help) ? parser.helpText() : QStringLiteral("mpgfix " MPGFIX_VERSION "\n");
        // The shell's prompt goes on a line of its own.
        if (!output_.endsWith(u'\n'))
            output_ += u'\n';
        return;
    }
    for (const QString& argument : parser.positionalArguments())
        files_ << QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
    if (!parser.isSet(batch)) {
        QList<QCommandLineOption> batchOnly = disc.all() << json << filesFrom << null;
        for (const auto& flag : flags)
            batchOnly << flag.second;
        for (const QCommandLineOption& option : batchOnly)
            if (parser.isSet(option))
                return usageError(tr("--%1 works only with --batch").arg(option.names().constFirst()));
        return;
    }

    BatchOptions options;
    options.inputs = files_;
    if (parser.isSet(filesFrom)) {
        const QString list = parser.value(filesFrom);
        if (list.isEmpty())
            return usageError(tr("--files-from needs a list"));
        options.filesFrom = list == u"-" ? list : QFileInfo(list).absoluteFilePath();
    } else if (parser.isSet(null)) {
        return usageError(tr("--null works only with --files-from"));
    }
    options.nullSeparated = parser.isSet(null);
    if (options.inputs.isEmpty() && options.filesFrom.isEmpty())
        return usageError(tr("--batch needs files or folders to fix"));
    for (const auto& [option, flag] : flags) {
        if (!parser.isSet(flag))
            continue;
        const std::optional<QVariant> value = valueOf(*option, parser.value(flag));
        if (!value)
            return;
        options.given[option] = *value;
    }
    options.json = parser.isSet(json);
    const std::optional<DiscOptions> discOptions = discOf(parser, disc);
    if (!discOptions)
        return;
    options.disc = *discOptions;
    // The folder is never guessed, so that a script writes where it says whoever runs it.
    if (!options.given.contains(&Options::folder))
        return usageError(tr("--batch needs --output <folder>, the folder to write into"), false);
    batch_ = options;
}

std::optional<DiscOptions> CommandLine::discOf(const QCommandLineParser& parser, const DiscFlags& flags)
{
    DiscOptions disc;
    if (parser.isSet(flags.capacity)) {
        const QString word = parser.value(flags.capacity);
        disc.capacityBytes = DiscFit::parseCapacity(word);
        if (!disc.capacityBytes) {
            usageError(tr("--disc takes dvd5, dvd9 or a size in megabytes such as 700MB, not '%1'").arg(word));
            return std::nullopt;
        }
    }
    for (const auto& [flag, path] : {std::pair(&flags.folder, &disc.folder), std::pair(&flags.image, &disc.image)}) {
        if (!parser.isSet(*flag))
            continue;
        const QString text = parser.value(*flag);
        if (text.isEmpty() || text.endsWith(u'/')) {
            usageError(tr("--%1 needs a %2").arg(flag->names().constFirst(), flag->valueName()));
            return std::nullopt;
        }
        *path = QDir::cleanPath(QFileInfo(text).absoluteFilePath());
    }
    if (parser.isSet(flags.chapters)) {
        bool ok = false;
        disc.chapterMinutes = parser.value(flags.chapters).toInt(&ok);
        if (!ok || disc.chapterMinutes < 1 || disc.chapterMinutes > 99) {
            const QString text = parser.value(flags.chapters);
            usageError(tr("--chapters takes a whole number from 1 to 99, not '%1'").arg(text));
            return std::nullopt;
        }
    }
    if (parser.isSet(flags.title)) {
        disc.title = parser.value(flags.title);
        if (disc.title.trimmed().isEmpty()) {
            usageError(tr("--title needs a name"));
            return std::nullopt;
        }
    }
    return disc;
}

std::optional<QVariant> CommandLine::valueOf(const Option& option, const QString& text)
{
    const QString flag = QString::fromLatin1(option.flag);
    switch (option.kind) {
    case Option::Kind::Switch:
        return true;
    case Option::Kind::Number: {
        bool ok = false;
        const int value = text.toInt(&ok);
        const int high = option.flagHigh > 0 ? option.flagHigh : option.highest();
        if (ok && value >= option.low && value <= high)
            return value;
        usageError(tr("--%1 takes a whole number from %2 to %3, not '%4'").arg(flag).arg(option.low).arg(high).arg(text));
        return std::nullopt;
    }
    case Option::Kind::Choice:
        if (const qsizetype index = option.wordsOfFlag().indexOf(text); index >= 0)
            return int(index);
        if (const qsizetype index = option.words.indexOf(text); index >= 0)
            return int(index);
        usageError(tr("--%1 takes %2, not '%3'").arg(flag, alternatives(option.wordsOfFlag()), text));
        return std::nullopt;
    case Option::Kind::Folder:
        if (!text.isEmpty())
            return QFileInfo(text).absoluteFilePath();
        usageError(tr("--%1 needs a folder").arg(flag));
        return std::nullopt;
    }
    return std::nullopt;
}

void CommandLine::usageError(const QString& message, bool pointToHelp)
{
    exits_ = true;
    exitCode_ = usageStatus;
    files_.clear();
    errors_ = pointToHelp ? tr("%1: %2\nTry '%1 --help' for more information.\n").arg(QStringLiteral("mpgfix"), message)
                          : QStringLiteral("mpgfix: %1\n").arg(message);
}
