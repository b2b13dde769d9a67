#pragma once

#include "JobOutcome.h"

#include <QJsonObject>
#include <QString>

// What a batch run prints when a file ends: a line for people, one per file whatever its name
// holds, or a JSON object for scripts. Each says how a done file was made.
namespace BatchLine {

// "done  in/a.mp4 -> /out/a.mpg (video re-encoded)"; `input` as the user would name it.
QString text(const QString& input, const JobOutcome& outcome);
// {input, output, outcome, made, action, message, seconds, duration, bytes}, `seconds` the
// file's time in the run.
QJsonObject json(const QString& input, const JobOutcome& outcome, double seconds);

} // namespace BatchLine
