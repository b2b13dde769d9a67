#include "BatchRun.h"

#include "BatchLine.h"
#include "ConsoleText.h"
#include "FixJob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cerrno>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How often the progress line is looked at: often enough to look alive, seldom enough to cost
// nothing and to be read. It is drawn only when its text changed.
constexpr int drawEveryMilliseconds = 250;

// A file as the user would name it: relative to the working folder when inside it.
QString shownName(const QString& path)
{
    const QString relative = QDir::current().relativeFilePath(path);
    return relative.startsWith(QStringLiteral("../")) ? path : relative;
}

int terminalWidth(std::FILE* stream)
{
    winsize size{};
    return ::ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

QString jsonLine(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n';
}

// Why no file could be written into `folder`, made first if need be; nothing when it is usable.
std::optional<QString> folderTrouble(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat status;
    if (!QDir().mkpath(folder) && ::mkdir(name.constData(), 0777) != 0 && errno != EEXIST)
        return qt_error_string(errno);
    if (::stat(name.constData(), &status) != 0)
        return qt_error_string(errno);
    if (!S_ISDIR(status.st_mode))
        return qt_error_string(ENOTDIR);
    if (::access(name.constData(), W_OK | X_OK) != 0)
        return qt_error_string(errno);
    return std::nullopt;
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
      intake_(options.inputs, settings.folder),
      queue_([this] { return settings_; },
             [this](const QString& path, const JobSettings& jobSettings) { return makeJob(path, jobSettings); })
{
    queue_.setMaxRunning(filesAtOnce);
    connect(&queue_, &JobQueue::jobStarted, this, [this](const QString& path, JobListModel::Id id) {
        Started& started = running_[id];
        started.path = path;
        started.clock.start();
        progress_.started(id);
    });
    connect(&queue_, &JobQueue::lengthKnown, this,
            [this](double seconds, JobListModel::Id id) { progress_.lengthKnown(id, seconds); });
    connect(&queue_, &JobQueue::progressed, this,
            [this](double fraction, JobListModel::Id id) { progress_.progressed(id, fraction); });
    connect(&queue_, &JobQueue::jobEnded, this, &BatchRun::report);
    connect(&queue_, &JobQueue::idle, this, &BatchRun::step);
    connect(&intake_, &BatchIntake::found, this, &BatchRun::take);
    connect(&intake_, &BatchIntake::finished, this, &BatchRun::intakeFinished);
    connect(&disc_, &DiscMaker::fitted, this, &BatchRun::fitted);
    connect(&disc_, &DiscMaker::authored, this, &BatchRun::discAuthored);
    progressTimer_.setInterval(drawEveryMilliseconds);
    connect(&progressTimer_, &QTimer::timeout, this, &BatchRun::drawProgress);
}

BatchRun::~BatchRun() { clearProgress(); }

std::unique_ptr<Job> BatchRun::makeJob(const QString& path, const JobSettings& settings) const
{
    auto job = std::make_unique<FixJob>(path, settings);
    if (absent_.contains(path))
        job->setMissingWhenQueued();
    return job;
}

void BatchRun::start()
{
    sinceStart_.start();
    // One message before any file is tried, rather than the same failure for every file.
    if (const std::optional<QString> trouble = folderTrouble(settings_.folder))
        return refuse(tr("cannot write into %1: %2").arg(settings_.folder, *trouble), unusable);
    if (const std::optional<QString> refusal = disc_.refusal())
        return refuse(*refusal, someNotFixed);
    if (!options_.filesFrom.isEmpty())
        if (const std::optional<QString> trouble = intake_.readListFrom(options_.filesFrom, options_.nullSeparated))
            return refuse(*trouble, unusable);
    intake_.start();
    if (terminal_)
        progressTimer_.start();
}

void BatchRun::refuse(const QString& reason, int status)
{
    concluded_ = true;
    err_.put(tr("mpgfix: %1\n").arg(reason));
    emit done(status);
}

void BatchRun::take(const QStringList& files, const QStringList& absent)
{
    if (interruptedBy_ != 0)
        return;
    for (const QString& path : absent)
        absent_.insert(path);
    // One bitrate for every file, fitted before any is encoded.
    if (options_.disc.capacityBytes)
        forDisc_ << files;
    else
        queue_.add(files);
}

void BatchRun::intakeFinished(const QString& failure)
{
    intakeDone_ = true;
    if (!failure.isEmpty()) {
        troubled_ = true;
        err_.put(tr("mpgfix: %1\n").arg(failure));
    }
    if (interruptedBy_ == 0 && options_.disc.capacityBytes && !forDisc_.isEmpty()) {
        fitting_ = true;
        return disc_.fit(forDisc_, settings_.output);
    }
    step();
}

void BatchRun::fitted(const std::variant<qint64, QString>& videoKbps)
{
    fitting_ = false;
    if (interruptedBy_ != 0)
        return step();
    if (const QString* refusal = std::get_if<QString>(&videoKbps))
        return refuse(*refusal, someNotFixed);
    settings_.output.videoKbps = std::get<qint64>(videoKbps);
    queue_.add(std::exchange(forDisc_, {}));
}

void BatchRun::interrupt(int signal)
{
    if (concluded_ || interruptedBy_ != 0)
        return;
    interruptedBy_ = signal;
    intake_.requestStop();
    disc_.requestStop();
    queue_.stop();
    step();
}

void BatchRun::report(JobListModel::Id id, const JobOutcome& outcome)
{
    const Started started = running_.extract(id).mapped();
    ended_.count(outcome);
    progress_.ended(id, outcome.state);
    if (outcome.state == JobState::Done) {
        outputs_[id] = outcome.output;
        bytesWritten_ += outcome.bytes;
    }
    if (options_.json)
        print(jsonLine(BatchLine::json(started.path, outcome, started.clock.elapsed() / 1000.0)));
    else
        print(BatchLine::text(shownName(started.path), outcome) + u'\n');
}

RoundTally BatchRun::tally() const
{
    RoundTally tally = ended_;
    const RoundTally queued = queue_.tally();
    tally.running = queued.running;
    tally.waiting = queued.waiting;
    return tally;
}

void BatchRun::print(const QString& text)
{
    clearProgress();
    write(text);
}

void BatchRun::write(const QString& text)
{
    if (!out_.put(text) && !std::exchange(writeFailureTold_, true))
        err_.put(tr("mpgfix: cannot write to standard output: %1\n").arg(qt_error_string(out_.failure())));
}

void BatchRun::drawProgress()
{
    const RoundTally tally = this->tally();
    // Files are counted in as they are queued; the line starts with the first file.
    if (tally.running == 0 && tally.ended() == 0)
        return;
    const double elapsed = sinceStart_.elapsed() / 1000.0;
    const BatchProgress::Estimate estimate = progress_.estimate(tally.total(), elapsed);
    QString text = tr("[%1%] %2 of %3 ended").arg(int(estimate.fraction * 100), 3).arg(tally.ended()).arg(tally.total());
    text += tr(", %1 elapsed").arg(ConsoleText::clock(elapsed));
    if (estimate.secondsLeft)
        text += tr(", ETA %1").arg(ConsoleText::clock(*estimate.secondsLeft));
    if (estimate.speed)
        text += tr(", %1x real time").arg(QLocale().toString(*estimate.speed, 'f', 1));
    QStringList names;
    for (const JobListModel::Id id : queue_.running())
        names << QFileInfo(queue_.model().indexOf(id).data(JobListModel::PathRole).toString()).fileName();
    if (!names.isEmpty())
        text += tr(", fixing %1").arg(names.join(QStringLiteral(", ")));
    // Within one line, so that the next draw overwrites all of it.
    text = ConsoleText::escaped(text);
    text.truncate(terminalWidth(out_.file()) - 1);
    if (text == progressShown_)
        return;
    write(QStringLiteral("\r\033[K") + text);
    progressShown_ = text;
}

void BatchRun::clearProgress()
{
    if (progressShown_.isEmpty())
        return;
    progressShown_.clear();
    write(QStringLiteral("\r\033[K"));
}

void BatchRun::step()
{
    if (concluded_ || !intakeDone_ || fitting_ || authoring_ || queue_.isBusy()
        || (interruptedBy_ == 0 && queue_.hasWork()))
        return;
    const RoundTally tally = this->tally();
    if (interruptedBy_ != 0 || !options_.disc.authors() || std::exchange(discTried_, true))
        return conclude();
    if (tally.fixed != tally.total()) {
        troubled_ = true;
        err_.put(tr("The disc was not made: not every file was fixed.\n"));
        return conclude();
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
    if (failure && interruptedBy_ == 0) {
        troubled_ = true;
        err_.put(tr("The disc was not made: %1\n").arg(failure->message));
    }
    if (failure || interruptedBy_ != 0)
        return step();
    if (options_.json) {
        const auto pathOrNull = [](const QString& path) { return path.isEmpty() ? QJsonValue() : QJsonValue(path); };
        const QJsonObject disc{{QStringLiteral("folder"), pathOrNull(disc_.folderPath())},
                               {QStringLiteral("image"), pathOrNull(disc_.imagePath())},
                               {QStringLiteral("titles"), int(outputs_.size())},
                               {QStringLiteral("videoKbps"), settings_.output.videoKbps},
                               {QStringLiteral("bytes"), disc_.bytes()}};
        print(jsonLine({{QStringLiteral("disc"), disc}}));
    } else {
        QStringList made;
        for (const QString& path : {disc_.folderPath(), disc_.imagePath()})
            if (!path.isEmpty())
                made << ConsoleText::quotedName(shownName(path));
        print(tr("disc  %1 %2 titles at %3 Mbit/s\n")
                  .arg(made.join(u' '), QString::number(outputs_.size()),
                       QString::number(double(settings_.output.videoKbps) / 1000, 'f', 1)));
    }
    step();
}

void BatchRun::conclude()
{
    concluded_ = true;
    progressTimer_.stop();
    clearProgress();
    const RoundTally tally = this->tally();
    QString summary = tr("%1 fixed, %2 failed, %3 skipped").arg(tally.fixed).arg(tally.failed).arg(tally.skipped);
    if (tally.cancelled > 0)
        summary += tr(", %1 cancelled").arg(tally.cancelled);
    if (tally.waiting > 0)
        summary += tr(", %1 not started").arg(tally.waiting);
    summary += tr(" in %1, %2 written")
                   .arg(ConsoleText::clock(sinceStart_.elapsed() / 1000.0), QLocale().formattedDataSize(bytesWritten_));
    // Standard output stays all JSON for whoever reads it.
    if (options_.json)
        err_.put(summary + u'\n');
    else
        print(summary + u'\n');
    // A file left as it was because its output is there already is what a re-run asks for.
    const bool fine = !troubled_ && out_.failure() == 0 && tally.failed == 0 && tally.cancelled == 0
                      && tally.waiting == 0;
    emit done(interruptedBy_ != 0 ? 128 + interruptedBy_ : fine ? allFixed : someNotFixed);
}
