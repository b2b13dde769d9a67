#include "BatchLine.h"

#include "ConsoleText.h"

#include <QCoreApplication>
#include <QJsonValue>

namespace {

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

// How a done file was made, naming the streams that were re-encoded.
QString actionWord(const JobOutcome& outcome)
{
    switch (outcome.made) {
    case OutputMade::Copied:
        return QStringLiteral("copy");
    case OutputMade::Remuxed:
        return QStringLiteral("remux");
    case OutputMade::Transcoded:
        break;
    }
    if (outcome.video == StreamMade::Reencoded && outcome.audio == StreamMade::Reencoded)
        return QStringLiteral("reencode-video-audio");
    return outcome.audio == StreamMade::Reencoded ? QStringLiteral("reencode-audio") : QStringLiteral("reencode-video");
}

} // namespace

namespace BatchLine {

QString text(const QString& input, const JobOutcome& outcome)
{
    using ConsoleText::escaped, ConsoleText::quotedName;
    const QString name = quotedName(input);
    switch (outcome.state) {
    case JobState::Done: {
        QString how = madeText(outcome);
        if (!outcome.reason.isEmpty())
            how += QStringLiteral("; ") + escaped(outcome.reason);
        return QCoreApplication::translate("BatchRun", "done  %1 -> %2").arg(name, quotedName(outcome.output)) + QStringLiteral(" (%1)").arg(how);
    }
    case JobState::Failed:
        return QCoreApplication::translate("BatchRun", "failed  %1: %2").arg(name, escaped(outcome.reason));
    case JobState::Skipped:
        return QCoreApplication::translate("BatchRun", "skipped  %1: %2").arg(name, escaped(outcome.reason));
    default:
        return QCoreApplication::translate("BatchRun", "cancelled  %1").arg(name);
    }
}

QJsonObject json(const QString& input, const JobOutcome& outcome, double seconds)
{
    const bool done = outcome.state == JobState::Done;
    const auto orNull = [](bool known, const QJsonValue& value) { return known ? value : QJsonValue(); };
    return {{QStringLiteral("input"), input},
            {QStringLiteral("output"), outcome.output},
            {QStringLiteral("outcome"), outcomeWord(outcome.state)},
            {QStringLiteral("made"), done ? madeWord(outcome.made) : QString()},
            {QStringLiteral("action"), orNull(done, actionWord(outcome))},
            {QStringLiteral("message"), outcome.reason},
            {QStringLiteral("seconds"), qRound(seconds * 1000) / 1000.0},
            {QStringLiteral("duration"), orNull(outcome.duration > 0, qRound(outcome.duration * 1000) / 1000.0)},
            {QStringLiteral("bytes"), orNull(done, outcome.bytes)}};
}

} // namespace BatchLine
