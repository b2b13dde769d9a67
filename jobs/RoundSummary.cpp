#include "RoundSummary.h"

#include <QCoreApplication>
#include <QStringList>

QString roundSummary(const RoundTally& tally)
{
    const QString finished =
        QCoreApplication::translate("RoundSummary", "%1 of %n finished", nullptr, tally.total()).arg(tally.ended());
    // Fixed counts every done file; a copied one is named as copied alone.
    const std::pair<int, const char*> kinds[] = {
        {tally.fixed - tally.copied, QT_TRANSLATE_N_NOOP("RoundSummary", "%n fixed")},
        {tally.copied, QT_TRANSLATE_N_NOOP("RoundSummary", "%n copied")},
        {tally.failed, QT_TRANSLATE_N_NOOP("RoundSummary", "%n failed")},
        {tally.skipped, QT_TRANSLATE_N_NOOP("RoundSummary", "%n skipped")},
        {tally.cancelled, QT_TRANSLATE_N_NOOP("RoundSummary", "%n cancelled")},
    };
    QStringList named;
    for (const auto& [count, words] : kinds)
        if (count > 0)
            named << QCoreApplication::translate("RoundSummary", words, nullptr, count);
    if (named.isEmpty())
        return finished;
    return QCoreApplication::translate("RoundSummary", "%1: %2")
        .arg(finished, named.join(QCoreApplication::translate("RoundSummary", ", ")));
}
