#pragma once

#include "OutputOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>

// One video of a disc: a DVD program stream, as ffmpeg writes it with `-f dvd`.
struct DvdTitle {
    QString path;
    TvStandard standard = TvStandard::Ntsc;
    bool widescreen = false;
    AudioCodec audio = AudioCodec::Mp2;
    // Chapter marks fall within it; unknown (0) gives the title one chapter.
    double seconds = 0;
};

// The XML that tells dvdauthor how to make a disc that plays its titles one after another, in
// list order, from the first, and stops after the last. All titles have one TV standard.
namespace DvdAuthorScript {

// Whether neighbours `a` and `b` share a title set, which has one picture shape and one audio
// format. Each run of neighbours alike makes a title set, so the titles' numbers follow the list.
bool sameTitleSet(const DvdTitle& a, const DvdTitle& b);

QByteArray xml(const QList<DvdTitle>& titles, std::chrono::seconds chapterEvery);

// "0,5:00,10:00" for 12 minutes every 5: a mark at each interval that starts within `seconds`.
QString chapters(double seconds, std::chrono::seconds every);

} // namespace DvdAuthorScript
