#include "BatchRun.h"

#include "FolderIntake.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/ioctl.h>

namespace {

// How often the progress line is drawn at most: often enough to look alive, seldom enough to
// cost nothing.
constexpr qint64 drawEveryMilliseconds = 100;

// A file as the user would name it: relative to the working folder when inside it.
QString shownName(const QString& path)
{
    const QString relative = QDir::current().relativeFilePath(path);
    return relative.startsWith(QStringLiteral("../")) ? path : relative;
}

// The words scripts match on; never translated.
QString outcomeWord(JobState state)
{
    switch (state) {
    case JobState::Done:
        return QStringLiteral("done");
    case JobState::Failed:
        return QStringLiteral("failed");
    case JobState::Skipped:
        return QStringLiteral("skipped");
    default:
        return QStringLiteral("cancelled");
    }
}

QString madeWord(OutputMade made)
{
    switch (made) {
    case OutputMade::Copied:
        return QStringLiteral("copied");
    case OutputMade::Remuxed:
        return QStringLiteral("remuxed");
    case OutputMade::Transcoded:
        break;
    }
    return QStringLiteral("transcoded");
}

int terminalWidth(std::FILE* stream)
{
    winsize size{};
    return ::ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

void put(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    // At once, so that a pipe's reader sees each file as it ends.
    std::fflush(stream);
}

} // namespace

BatchRun::BatchRun(const BatchOptions& options, const JobSettings& settings, int filesAtOnce, std::FILE* out,
                   std::FILE* err, bool terminal, QObject* parent)
    : QObject(parent),
      options_(options),
      settings_(settings),
      out_(out),
      err_(err),
      terminal_(terminal && !options.json),
      disc_(options.disc),
      queue_([this] { return settings_; })
{
    queue_.setMaxRunning(filesAtOnce);
    connect(&queue_, &JobQueue::jobStarted, this, [this](const QString& path, JobListModel::Id id) {
        Started& started = running_[id];
        started.path = path;
        started.clock.start();
    });
    connect(&queue_, &JobQueue::jobEnded, this, &BatchRun::report);
    if (terminal_)
        connect(&queue_, &JobQueue::roundProgressed, this, &BatchRun::drawProgress);
    connect(&queue_, &JobQueue::idle, this, &BatchRun::finish);
    connect(&disc_, &DiscMaker::authored, this, &BatchRun::discAuthored);
}

BatchRun::~BatchRun() { clearProgress(); }

void BatchRun::start()
{
    const QStringList files = expandFolders(options_.inputs, settings_.folder);
    if (const std::optional<QString> refusal = disc_.refusal())
        return refuse(*refusal);
    // One bitrate for every file, fitted before any is encoded.
    if (options_.disc.capacityBytes) {
        const std::variant<qint64, QString> fitted = disc_.fittedVideoKbps(files, settings_.output);
        if (const QString* refusal = std::get_if<QString>(&fitted))
            return refuse(*refusal);
        settings_.output.videoKbps = std::get<qint64>(fitted);
    }
    queue_.add(files);
}

void BatchRun::refuse(const QString& reason)
{
    finished_ = true;
    put(err_, tr("mpgfix: %1\n").arg(reason));
    emit done(someNotFixed);
}

void BatchRun::interrupt(int signal)
{
    if (interruptedBy_ != 0 || (finished_ && !authoring_))
        return;
    interruptedBy_ = signal;
    if (authoring_)
        return disc_.requestStop();
    queue_.stop();
    if (!queue_.isBusy())
        finish();
}

void BatchRun::report(JobListModel::Id id, const JobOutcome& outcome)
{
    const Started started = running_.extract(id).mapped();
    const double seconds = started.clock.elapsed() / 1000.0;
    const QString &output = outcome.output, &reason = outcome.reason;
    if (outcome.state == JobState::Done)
        outputs_[id] = output;
    if (options_.json) {
        const QJsonObject line{{QStringLiteral("input"), started.path},
                               {QStringLiteral("output"), output},
                               {QStringLiteral("outcome"), outcomeWord(outcome.state)},
                               {QStringLiteral("made"), outcome.state == JobState::Done ? madeWord(outcome.made) : QString()},
                               {QStringLiteral("message"), reason},
                               {QStringLiteral("seconds"), qRound(seconds * 1000) / 1000.0}};
        put(out_, QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) + u'\n');
        return;
    }
    const QString name = shownName(started.path);
    QString text;
    switch (outcome.state) {
    case JobState::Done:
        text = tr("done  %1 -> %2").arg(name, output);
        break;
    case JobState::Failed:
        text = tr("failed  %1: %2").arg(name, reason);
        break;
    case JobState::Skipped:
        text = tr("skipped  %1: %2").arg(name, reason);
        break;
    default:
        text = tr("cancelled  %1").arg(name);
        break;
    }
    clearProgress();
    put(out_, text + u'\n');
}

void BatchRun::drawProgress(double fraction)
{
    const RoundTally tally = queue_.tally();
    // Files are counted in as they are queued; the line starts with the first file.
    if (tally.running == 0 && tally.ended() == 0)
        return;
    if (progressShown_ && sinceDrawn_.isValid() && sinceDrawn_.elapsed() < drawEveryMilliseconds)
        return;
    sinceDrawn_.start();
    QStringList names;
    for (const JobListModel::Id id : queue_.running())
        names << QFileInfo(queue_.model().indexOf(id).data(JobListModel::PathRole).toString()).fileName();
    QString text = tr("[%1%] %2 of %3 ended").arg(int(fraction * 100), 3).arg(tally.ended()).arg(tally.total());
    if (!names.isEmpty())
        text += tr(", fixing %1").arg(names.join(QStringLiteral(", ")));
    // Within one line, so that the next draw overwrites all of it.
    text.truncate(terminalWidth(out_) - 1);
    put(out_, QStringLiteral("\r\033[K") + text);
    progressShown_ = true;
}

void BatchRun::clearProgress()
{
    if (!progressShown_)
        return;
    put(out_, QStringLiteral("\r\033[K"));
    progressShown_ = false;
    sinceDrawn_.invalidate();
}

void BatchRun::finish()
{
    if (std::exchange(finished_, true))
        return;
    clearProgress();
    const RoundTally tally = queue_.tally();
    const bool everyFileFixed = tally.fixed == tally.total();
    if (interruptedBy_ != 0 || !options_.disc.authors())
        return conclude(everyFileFixed ? allFixed : someNotFixed);
    if (!everyFileFixed) {
        put(err_, tr("The disc was not made: not every file was fixed.\n"));
        return conclude(someNotFixed);
    }
    QStringList programStreams;
    for (const auto& [id, output] : outputs_)
        programStreams << output;
    authoring_ = true;
    disc_.author(programStreams);
}

void BatchRun::discAuthored(const std::optional<DiscFailure>& failure)
{
    authoring_ = false;
    if (interruptedBy_ != 0 || failure) {
        if (interruptedBy_ == 0)
            put(err_, tr("The disc was not made: %1\n").arg(failure->message));
        return conclude(someNotFixed);
    }
    if (options_.json) {
        const auto pathOrNull = [](const QString& path) { return path.isEmpty() ? QJsonValue() : QJsonValue(path); };
        const QJsonObject disc{{QStringLiteral("folder"), pathOrNull(disc_.folderPath())},
                               {QStringLiteral("image"), pathOrNull(disc_.imagePath())},
                               {QStringLiteral("titles"), int(outputs_.size())},
                               {QStringLiteral("videoKbps"), settings_.output.videoKbps},
                               {QStringLiteral("bytes"), disc_.bytes()}};
        const QJsonObject line{{QStringLiteral("disc"), disc}};
        put(out_, QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) + u'\n');
    } else {
        QStringList made;
        for (const QString& path : {disc_.folderPath(), disc_.imagePath()})
            if (!path.isEmpty())
                made << shownName(path);
        put(out_, tr("disc  %1 %2 titles at %3 Mbit/s\n")
                      .arg(made.join(u' '), QString::number(outputs_.size()),
                           QString::number(double(settings_.output.videoKbps) / 1000, 'f', 1)));
    }
    conclude(allFixed);
}

void BatchRun::conclude(int status)
{
    const RoundTally tally = queue_.tally();
    QString summary = tr("%1 fixed, %2 failed, %3 skipped").arg(tally.fixed).arg(tally.failed).arg(tally.skipped);
    if (tally.cancelled > 0)
        summary += tr(", %1 cancelled").arg(tally.cancelled);
    if (tally.waiting > 0)
        summary += tr(", %1 not started").arg(tally.waiting);
    // Standard output stays all JSON for whoever reads it.
    put(options_.json ? err_ : out_, summary + u'\n');
    emit done(interruptedBy_ != 0 ? 128 + interruptedBy_ : status);
}
