#include "JobOutcome.h"

#include <QCoreApplication>

QString madeText(const JobOutcome& done)
{
    switch (done.made) {
    case OutputMade::Copied:
        return QCoreApplication::translate("JobOutcome", "copied unchanged");
    case OutputMade::Remuxed:
        return QCoreApplication::translate("JobOutcome", "streams copied into MPEG");
    case OutputMade::Transcoded:
        break;
    }
    if (done.audio == StreamMade::Copied)
        return QCoreApplication::translate("JobOutcome", "video re-encoded, audio copied");
    if (done.video == StreamMade::Copied)
        return QCoreApplication::translate("JobOutcome", "audio re-encoded, video copied");
    if (done.audio == StreamMade::Reencoded)
        return QCoreApplication::translate("JobOutcome", "video and audio re-encoded");
    return QCoreApplication::translate("JobOutcome", "video re-encoded");
}
