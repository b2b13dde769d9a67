#include "DvdAuthoring.h"

#include "ConsoleLineReader.h"
#include "DiscToolConsole.h"
#include "DiscWorkFolder.h"
#include "ToolLocator.h"
#include "ToolProcess.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>

#include <sys/stat.h>

namespace {

// The most titles a disc holds.
constexpr qsizetype mostTitles = 99;
constexpr qsizetype mostLabelCharacters = 32;

// What the tools' results are called within the work folder.
const QString scriptName = QStringLiteral("dvdauthor.xml");
const QString folderName = QStringLiteral("disc");
const QString imageName = QStringLiteral("disc.iso");

const QString dvdauthor = QStringLiteral("dvdauthor");
const QString genisoimage = QStringLiteral("genisoimage");

DiscFailure failure(DiscFailure::Kind kind, const QString& message) { return {kind, message}; }
DiscFailure stopped() { return {DiscFailure::Kind::Stopped, {}}; }

DiscFailure notInstalled(const QString& tool)
{
    const QString message = tool == dvdauthor
                                ? DvdAuthoring::tr("Making a DVD needs dvdauthor, which is not installed: "
                                                   "install its package, dvdauthor.")
                                : DvdAuthoring::tr("Making a disc image needs genisoimage, which is not installed: "
                                                   "install its package, genisoimage.");
    return failure(DiscFailure::Kind::MissingTool, message);
}

// Anything by the name, even a link to nothing, keeps the name from a disc.
bool taken(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

DiscFailure writeFailure(const QString& path, int error)
{
    if (error == EEXIST)
        return failure(DiscFailure::Kind::NameTaken,
                       DvdAuthoring::tr("%1 already exists and was left as it is.").arg(path));
    return failure(DiscFailure::Kind::FileError,
                   DvdAuthoring::tr("Could not write %1: %2").arg(path, qt_error_string(error)));
}

// dvdauthor runs a name that ends in | as a shell command, and XML holds no control characters
// but tabs and line breaks.
bool dvdauthorMisreads(const QString& path)
{
    return path.endsWith(u'|') || std::any_of(path.begin(), path.end(), [](QChar c) {
               return c < u'\x20' && c != u'\t' && c != u'\n' && c != u'\r';
           });
}


std::optional<QString> titlesFault(const QList<DvdTitle>& titles)
{
    if (titles.isEmpty())
        return DvdAuthoring::tr("Choose the videos to put on the disc.");
    if (titles.size() > mostTitles)
        return DvdAuthoring::tr("A DVD holds at most %1 videos; choose fewer.").arg(mostTitles);
    const auto isPal = [](const DvdTitle& title) { return title.standard == TvStandard::Pal; };
    const auto pal = std::find_if(titles.begin(), titles.end(), isPal);
    const auto ntsc = std::find_if_not(titles.begin(), titles.end(), isPal);
    if (pal != titles.end() && ntsc != titles.end())
        return DvdAuthoring::tr("%1 is NTSC and %2 is PAL, but a DVD has one TV standard: make all the videos "
                                "NTSC, or all PAL.")
            .arg(QFileInfo(ntsc->path).fileName(), QFileInfo(pal->path).fileName());
    for (const DvdTitle& title : titles) {
        if (dvdauthorMisreads(title.path))
            return DvdAuthoring::tr("dvdauthor would misread the name of %1: rename the file.").arg(title.path);
        if (!QFileInfo(title.path).isFile())
            return DvdAuthoring::tr("%1 cannot be read.").arg(title.path);
    }
    return std::nullopt;
}

QList<QByteArray> encodeArguments(const QStringList& arguments)
{
    QList<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded << QFile::encodeName(argument);
    return encoded;
}

QString describeEnd(const ToolProcess::ExitStatus& status, const QString& complaint)
{
    if (!complaint.isEmpty())
        return complaint;
    if (status.kind == ToolProcess::ExitStatus::Kind::Signaled)
        return DvdAuthoring::tr("it was ended by signal %1").arg(status.value);
    return DvdAuthoring::tr("it ended with status %1").arg(status.value);
}

} // namespace

std::optional<DiscFailure> DvdAuthoring::missingTool(bool makeImage)
{
    if (!ToolLocator::forThisProcess(dvdauthor).locate())
        return notInstalled(dvdauthor);
    if (makeImage && !ToolLocator::forThisProcess(genisoimage).locate())
        return notInstalled(genisoimage);
    return std::nullopt;
}

std::optional<DiscFailure> DvdAuthoring::refusal(const DiscRequest& request)
{
    if (auto missing = missingTool(request.makeImage))
        return missing;
    std::optional<QString> reason = titlesFault(request.titles);
    if (!reason)
        reason = titleFault(request.title);
    if (reason)
        return failure(DiscFailure::Kind::Refused, *reason);
    const DvdAuthoring disc(request);
    if (request.keepFolder && taken(disc.folderPath()))
        return writeFailure(disc.folderPath(), EEXIST);
    if (request.makeImage && taken(disc.imagePath()))
        return writeFailure(disc.imagePath(), EEXIST);
    return std::nullopt;
}

QString DvdAuthoring::volumeLabel(const QString& title)
{
    QString label = title.toUpper().left(mostLabelCharacters);
    for (QChar& c : label) {
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            c = u'_';
    }
    return label;
}

std::optional<DiscFailure> DvdAuthoring::run()
{
    if (auto refused = refusal(request_))
        return refused;
    if (stopRequested())
        return stopped();
    const DiscWorkFolder work(request_.destination, request_.title);
    if (work.creationError() != 0)
        return writeFailure(request_.destination, work.creationError());

    QList<DvdTitle> titles = request_.titles;
    for (DvdTitle& title : titles)
        title.path = QFileInfo(title.path).absoluteFilePath();
    const QByteArray script = DvdAuthorScript::xml(titles, request_.chapterEvery);
    QFile scriptFile(work.filePath(scriptName));
    if (!scriptFile.open(QIODevice::WriteOnly) || scriptFile.write(script) != script.size() || !scriptFile.flush())
        return failure(DiscFailure::Kind::FileError,
                       tr("Could not write %1: %2").arg(scriptFile.fileName(), scriptFile.errorString()));
    scriptFile.close();

    AuthoringConsole authoring(titleSetBytes());
    if (auto failed = runTool(dvdauthor, {"-o", work.filePath(folderName), "-x", scriptFile.fileName()},
                              Stage::Authoring, authoring))
        return failed;
    if (request_.makeImage) {
        ImagingConsole imaging;
        const QStringList arguments{"-dvd-video", "-V", volumeLabel(request_.title), "-o",
                                    work.filePath(imageName), work.filePath(folderName)};
        if (auto failed = runTool(genisoimage, arguments, Stage::Imaging, imaging))
            return failed;
    }
    if (stopRequested())
        return stopped();
    return placeAll(work);
}

template <typename Console>
std::optional<DiscFailure> DvdAuthoring::runTool(const QString& tool, const QStringList& arguments, Stage stage,
                                                 Console& console)
{
    if (stopRequested())
        return stopped();
    report(stage, 0);
    const std::optional<QString> program = ToolLocator::forThisProcess(tool).locate();
    if (!program)
        return notInstalled(tool);

    ToolProcess process;
    if (const auto failed = process.start(QFile::encodeName(*program), encodeArguments(arguments),
                                          ToolProcess::Input::Empty))
        return failure(DiscFailure::Kind::ToolFailed,
                       tr("%1 could not be started: %2").arg(tool, qt_error_string(failed->errorNumber)));
    const StopSwitch::Attachment stoppable(stopSwitch_, process);
    // A stop that came while the tool was being started has not reached it; leaving kills it.
    if (stopRequested())
        return stopped();

    std::array<char, consoleLineBufferSize> line;
    double reported = 0;
    while (readConsoleLine(line.data(), int(line.size()), process.output())) {
        // A stopped tool's last words are read to the end of its output, and ignored.
        if (stopRequested())
            continue;
        if (const std::optional<double> fraction = console.line(line.data())) {
            reported = *fraction;
            report(stage, reported);
        }
    }
    const ToolProcess::ExitStatus status = process.wait();
    if (stopRequested())
        return stopped();
    if (status.kind == ToolProcess::ExitStatus::Kind::Exited && status.value == 0) {
        // genisoimage tells nothing of a small image; a stage that ends well ends whole.
        if (reported < 1)
            report(stage, 1);
        return std::nullopt;
    }
    const QString what = stage == Stage::Authoring ? tr("dvdauthor could not make the disc: %1")
                                                   : tr("genisoimage could not make the disc image: %1");
    return failure(DiscFailure::Kind::ToolFailed, what.arg(describeEnd(status, console.complaint())));
}

void DvdAuthoring::report(Stage stage, double fraction) const
{
    if (progress_)
        progress_(stage, fraction);
}

std::optional<DiscFailure> DvdAuthoring::placeAll(const DiscWorkFolder& work) const
{
    if (const int error = work.flush())
        return writeFailure(folderPath(), error);
    if (request_.keepFolder) {
        if (const int error = work.place(folderName, folderPath()))
            return writeFailure(folderPath(), error);
    }
    if (!request_.makeImage)
        return std::nullopt;
    if (const int error = work.place(imageName, imagePath())) {
        // The folder goes back, to go with the rest: the disc is made whole or not at all.
        if (request_.keepFolder)
            work.takeBack(folderPath(), folderName);
        return writeFailure(imagePath(), error);
    }
    return std::nullopt;
}

QList<qint64> DvdAuthoring::titleSetBytes() const
{
    QList<qint64> bytes;
    for (qsizetype i = 0; i < request_.titles.size(); ++i) {
        if (i == 0 || !DvdAuthorScript::sameTitleSet(request_.titles[i - 1], request_.titles[i]))
            bytes << 0;
        bytes.last() += QFileInfo(request_.titles[i].path).size();
    }
    return bytes;
}

std::optional<QString> DvdAuthoring::titleFault(const QString& title)
{
    if (title.trimmed().isEmpty())
        return tr("Give the disc a title.");
    if (title.contains(u'/') || title.contains(QChar(0)) || title == u"." || title == u"..")
        return tr("“%1” cannot name the disc's folder: choose a title without a slash.").arg(title);
    // The image adds ".iso" to the folder's name.
    if (QFile::encodeName(title).size() > NAME_MAX - 4)
        return tr("The disc's title is too long to name its folder: choose a shorter one.");
    return std::nullopt;
}
