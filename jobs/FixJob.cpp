#include "FixJob.h"

#include "FileCopy.h"
#include "OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <limits>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

EngineError refused(const QString& description) { return {ErrorKind::InputRefused, description}; }

QString kindOfFile(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FixJob", "a named pipe (FIFO)");
    if (S_ISCHR(mode))
        return QCoreApplication::translate("FixJob", "a character device");
    if (S_ISBLK(mode))
        return QCoreApplication::translate("FixJob", "a block device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("FixJob", "a socket");
    return QCoreApplication::translate("FixJob", "not a regular file");
}

// Why the input cannot be probed at all; checked before ffmpeg runs, since a pipe or a device
// would keep it waiting for ever.
std::optional<EngineError> inputRefusal(const QString& path, bool missingWhenQueued)
{
    const QString name = QFileInfo(path).fileName();
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status;
    if (::stat(encoded.constData(), &status) != 0) {
        // Bytes that are not UTF-8 reach us as replacement characters and name no file.
        if (errno == ENOENT && path.contains(QChar::ReplacementCharacter))
            return refused(QCoreApplication::translate(
                               "FixJob", "mpgfix cannot open names that are not valid UTF-8: rename the file %1.")
                               .arg(name));
        if (errno == ENOENT && missingWhenQueued)
            return refused(QCoreApplication::translate("FixJob", "%1 does not exist.").arg(name));
        if (errno == ENOENT)
            return refused(QCoreApplication::translate("FixJob", "%1 no longer exists.").arg(name));
        return refused(
            QCoreApplication::translate("FixJob", "Could not open %1: %2").arg(name, qt_error_string(errno)));
    }
    if (S_ISDIR(status.st_mode))
        return refused(QCoreApplication::translate("FixJob", "The folder %1 holds no video files.").arg(name));
    if (!S_ISREG(status.st_mode))
        return refused(
            QCoreApplication::translate("FixJob", "%1 is %2, not a video file.").arg(name, kindOfFile(status.st_mode)));
    if (::access(encoded.constData(), R_OK) != 0)
        return refused(QCoreApplication::translate("FixJob", "mpgfix may not read %1.").arg(name));
    return std::nullopt;
}

// Why `folder` cannot take an output of about `expected` bytes, with a margin for the estimate's
// error; nothing when it can, or when its free space cannot be told.
std::optional<EngineError> roomRefusal(const QString& folder, qint64 expected)
{
    struct statvfs status;
    if (::statvfs(QFile::encodeName(folder).constData(), &status) != 0)
        return std::nullopt;
    const auto free = qint64(status.f_bavail) * qint64(status.f_frsize);
    // The margin stops at the largest count, which the estimate for a damaged file may be.
    const qint64 needed = expected + std::min(expected / 20, std::numeric_limits<qint64>::max() - expected);
    if (needed <= free)
        return std::nullopt;
    const QLocale locale;
    return EngineError{ErrorKind::NoRoom,
                       QCoreApplication::translate("FixJob", "There is not enough room in %1: the file needs about %2, "
                                                             "and %3 is free.")
                           .arg(folder, locale.formattedDataSize(needed), locale.formattedDataSize(free))};
}

OutputMade howMade(const StreamFacts& facts, const TranscodePlan& plan)
{
    if (plan.copiesWholeFile(facts))
        return OutputMade::Copied;
    return plan.encodeVideo || plan.encodeAudio ? OutputMade::Transcoded : OutputMade::Remuxed;
}

} // namespace

FixJob::FixJob(const QString& path, const JobSettings& settings, QObject* parent)
    : Job(parent), path_(path), settings_(settings), processor_(path)
{
}

FixJob::~FixJob() { requestStop(); }

void FixJob::start()
{
    worker_ = std::jthread([this] {
        const JobOutcome outcome = fixVideo();
        // The run's error callbacks refer to its locals, which are gone now.
        processor_.setErrorCallback({});
        emit finished(outcome);
    });
}

void FixJob::requestStop()
{
    stop_ = true;
    processor_.requestStop();
}

QString FixJob::outputPath(const QString& folder, const QString& input)
{
    QString name = QFileInfo(input).fileName();
    // Only the last extension goes, and a leading dot names a file rather than starting one.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return QStringLiteral("%1/%2.mpg").arg(folder, name);
}

JobOutcome FixJob::failed(const EngineError& error) const
{
    // A taken name is the user's own rule at work, not a fault of the file.
    JobOutcome outcome{error.kind == ErrorKind::NameTaken ? JobState::Skipped : JobState::Failed, {}, error.description};
    outcome.duration = duration_;
    return outcome;
}

JobOutcome FixJob::fixVideo()
{
    const JobOutcome cancelled{JobState::Cancelled, {}, {}};
    if (const auto refusal = inputRefusal(path_, missingWhenQueued_))
        return failed(*refusal);
    std::optional<EngineError> error;
    processor_.setErrorCallback([&error](const EngineError& reported) {
        if (!error)
            error = reported;
    });
    const StreamFacts& facts = processor_.loadInformation();
    if (stopped())
        return cancelled;
    if (error)
        return failed(*error);
    duration_ = facts.duration;
    if (duration_ > 0)
        emit lengthKnown(duration_);
    // The tool would make a file of sound alone, or of a cover picture.
    if (!facts.videoStream)
        return failed({ErrorKind::NoPicture,
                       QCoreApplication::translate("FixJob", "%1 has no picture: mpgfix only converts video files.")
                           .arg(QFileInfo(path_).fileName())});

    const QString output = outputPath(settings_.folder, path_);
    const NameTaken rule = settings_.nameTaken;
    std::optional<EngineError> refusal = OutputFile::refusal(output, path_, rule);
    const QString folder = QFileInfo(output).path();
    if (!refusal && !QDir().mkpath(folder))
        refusal = EngineError{
            ErrorKind::WriteFailed,
            QCoreApplication::translate("FixJob", "Could not create the destination folder %1.").arg(folder)};
    const TranscodePlan plan = TranscodePlan::forInput(facts, settings_.output, DeliveryFormat::chosen(settings_.output, facts));
    if (!refusal)
        refusal = roomRefusal(folder, plan.expectedBytes(facts, QFileInfo(path_).size()));
    if (refusal)
        return failed(*refusal);
    OutputFile file(output);
    if (const auto creationError = file.creationError())
        return failed(*creationError);
    emit outputCreated(file.temporaryPath());

    const OutputMade made = howMade(facts, plan);
    error = produce(file, plan, made);
    if (stopped())
        return cancelled;
    if (!error)
        error = file.moveIntoPlace(rule, path_);
    if (error)
        return failed(*error);
    emit progressed(1.0);
    JobOutcome done{JobState::Done, file.finalPath(), {}, made};
    if (file.keptOwnOutput())
        done.reason = QCoreApplication::translate("FixJob", "%1 was written by this run and was kept: Replace only "
                                                            "replaces files that were there before.")
                          .arg(output);
    const auto streamMade = [made](bool present, bool encoded) {
        return !present ? StreamMade::None
                        : made == OutputMade::Transcoded && encoded ? StreamMade::Reencoded : StreamMade::Copied;
    };
    done.video = streamMade(plan.videoStream.has_value(), plan.encodeVideo);
    done.audio = streamMade(plan.audioStream.has_value(), plan.encodeAudio);
    done.duration = duration_;
    done.bytes = QFileInfo(done.output).size();
    return done;
}

std::optional<EngineError> FixJob::produce(OutputFile& file, const TranscodePlan& plan, OutputMade made)
{
    if (made == OutputMade::Copied) {
        emit stageChanged(JobState::Copying);
        return copyFileInto(path_, file, stop_);
    }
    // Conforming streams in another container are copied into a DVD program stream.
    emit stageChanged(made == OutputMade::Remuxed ? JobState::Copying : JobState::Transcoding);
    file.closeDescriptor();
    std::optional<EngineError> error;
    // The user hears of the file they asked for, and the room a failure took is free again
    // while they read about it.
    processor_.setErrorCallback([&](const EngineError& reported) {
        if (!error) {
            error = reported;
            error->description.replace(file.temporaryPath(), file.destination());
        }
        file.discard();
    });
    processor_.setCallback([this](double fraction) { emit progressed(fraction); });
    processor_.transcode(file.temporaryPath(), plan);
    return error;
}
