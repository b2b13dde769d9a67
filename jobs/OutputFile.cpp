#include "OutputFile.h"

#include "FileNaming.h"
#include "WrittenFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names beyond this many numbered tries are not worth looking for.
constexpr int mostNumberedNames = 9999;

EngineError writeError(const QString& path, int error)
{
    return {ErrorKind::WriteFailed,
            QCoreApplication::translate("OutputFile", "Could not write %1: %2").arg(path, qt_error_string(error))};
}

// The same file under any name: a hard link, or another spelling on a case-insensitive card.
bool sameFile(const QString& a, const QString& b)
{
    struct stat first, second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

bool exists(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

EngineError overItself(const QString& destination)
{
    return {ErrorKind::OverInput,
            QCoreApplication::translate("OutputFile",
                                        "%1 would be written over itself. Choose another destination folder.")
                .arg(QFileInfo(destination).fileName())};
}

EngineError taken(const QString& destination)
{
    return {ErrorKind::NameTaken,
            QCoreApplication::translate("OutputFile", "%1 already exists and was left as it is.").arg(destination)};
}

// "<folder>/old (2).mpg" for "<folder>/old.mpg" and 2.
QString numbered(const QString& path, int number)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype stemEnd = dot > slash + 1 ? dot : path.size();
    return path.left(stemEnd) + QStringLiteral(" (%1)").arg(number) + path.mid(stemEnd);
}

// What the temporary name adds to the final one: the leading dot, this mark and random letters.
constexpr char temporaryMark[] = ".mpgfix-";
constexpr int temporaryLetters = 8;
constexpr qsizetype temporaryNameExtra = 1 + qsizetype(sizeof temporaryMark) - 1 + temporaryLetters;

// Makes what has been written to `path` durable before it counts as done.
bool flush(const QByteArray& path, int flags)
{
    const UniqueFd fd(::open(path.constData(), flags | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0;
}

} // namespace

OutputFile::OutputFile(const QString& destination) : destination_(destination)
{
    const QFileInfo info(destination);
    const QByteArray suffix = QFile::encodeName(info.suffix().isEmpty() ? QString() : u'.' + info.suffix());
    // The temporary name must fit wherever the final one fits, so a long name gives up its end.
    const QByteArray stem = cutName(QFile::encodeName(info.completeBaseName()), NAME_MAX - temporaryNameExtra - suffix.size());
    const QByteArray prefix = QFile::encodeName(info.path()) + "/." + stem + temporaryMark;
    for (;;) {
        QByteArray name;
        for (int i = 0; i < temporaryLetters; ++i)
            name += char('a' + QRandomGenerator::global()->bounded(26));
        temporaryPath_ = prefix + name + suffix;
        // Created with the usual permissions, as ffmpeg itself would make the file.
        descriptor_ = UniqueFd(::open(temporaryPath_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (descriptor_.get() >= 0)
            return;
        if (errno != EEXIST) {
            creationErrno_ = errno;
            temporaryPath_.clear();
            return;
        }
    }
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard()
{
    if (!temporaryPath_.isEmpty())
        ::unlink(temporaryPath_.constData());
    temporaryPath_.clear();
}

std::optional<EngineError> OutputFile::creationError() const
{
    if (creationErrno_ == 0)
        return std::nullopt;
    return EngineError{ErrorKind::WriteFailed,
                       QCoreApplication::translate("OutputFile", "Could not write into %1: %2")
                           .arg(QFileInfo(destination_).path(), qt_error_string(creationErrno_))};
}

QString OutputFile::temporaryPath() const { return QFile::decodeName(temporaryPath_); }

bool OutputFile::closeDescriptor() { return ::close(descriptor_.release()) == 0; }

std::optional<EngineError> OutputFile::refusal(const QString& destination, const QString& input, NameTaken rule)
{
    if (rule == NameTaken::KeepBoth || !exists(destination))
        return std::nullopt;
    if (sameFile(destination, input))
        return overItself(destination);
    if (rule == NameTaken::ShowMessage)
        return taken(destination);
    return std::nullopt;
}

bool OutputFile::isTemporary(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(u'.') && name.contains(QLatin1String(temporaryMark));
}

std::optional<EngineError> OutputFile::moveIntoPlace(NameTaken rule, const QString& input)
{
    // After a power cut the final name holds the whole file, or is not there.
    if (!flush(temporaryPath_, O_RDONLY))
        return writeError(destination_, errno);
    // Before the rename, so that a scan can never find the file under its final name unknown.
    WrittenFiles::record(temporaryPath());
    // Outputs take their names one at a time, so that a name another job is claiming at that
    // moment is seen as taken. Replace is for files that were there before, never for one this
    // process wrote (holiday.mov and holiday.mpg both fixed into holiday.mpg).
    static std::mutex placing;
    const std::lock_guard held(placing);
    keptOwnOutput_ = rule == NameTaken::Replace && WrittenFiles::contains(destination_);
    return place(keptOwnOutput_ ? NameTaken::KeepBoth : rule, input);
}

std::optional<EngineError> OutputFile::place(NameTaken rule, const QString& input)
{
    if (rule != NameTaken::KeepBoth)
        return placeAt(destination_, rule, input);
    for (int number = 1; number <= mostNumberedNames; ++number) {
        const QString candidate = number == 1 ? destination_ : numbered(destination_, number);
        const std::optional<EngineError> error = placeAt(candidate, rule, input);
        if (!error || error->kind != ErrorKind::NameTaken)
            return error;
    }
    return taken(destination_);
}

std::optional<EngineError> OutputFile::placeAt(const QString& path, NameTaken rule, const QString& input)
{
    const QByteArray to = QFile::encodeName(path);
    int error = 0;
    if (rule == NameTaken::Replace) {
        if (sameFile(path, input))
            return overItself(path);
        error = ::rename(temporaryPath_.constData(), to.constData()) == 0 ? 0 : errno;
    } else {
        error = renameNoReplace(temporaryPath_, to);
    }
    // Only a rename that keeps what is there finds the name taken.
    if (error == EEXIST && rule != NameTaken::Replace)
        return taken(path);
    if (error != 0)
        return writeError(path, error);
    temporaryPath_.clear();
    finalPath_ = path;
    return std::nullopt;
}
