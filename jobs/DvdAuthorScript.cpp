#include "DvdAuthorScript.h"

#include <QStringList>

namespace DvdAuthorScript {
namespace {

// A title holds at most 99 chapters.
constexpr qsizetype mostChapters = 99;

// Quotes and markup become entities; tabs and line breaks become references, since an
// attribute's value would otherwise turn them into spaces.
QString escaped(const QString& text)
{
    return text.toHtmlEscaped()
        .replace(u'\t', QStringLiteral("&#9;"))
        .replace(u'\n', QStringLiteral("&#10;"))
        .replace(u'\r', QStringLiteral("&#13;"));
}

QString twoDigits(qint64 number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

// "7:05", or "1:07:05" from an hour on.
QString timecode(qint64 seconds)
{
    const QString rest = twoDigits(seconds % 60);
    if (seconds < 3600)
        return QString::number(seconds / 60) + u':' + rest;
    return QString::number(seconds / 3600) + u':' + twoDigits(seconds / 60 % 60) + u':' + rest;
}

QString videoTag(TvStandard standard, const DvdTitle* title = nullptr)
{
    QString tag = QStringLiteral("<video format=\"%1\"").arg(standard == TvStandard::Pal ? "pal" : "ntsc");
    if (title != nullptr && title->widescreen)
        tag += QStringLiteral(" aspect=\"16:9\" widescreen=\"nopanscan\"");
    else if (title != nullptr)
        tag += QStringLiteral(" aspect=\"4:3\"");
    return tag + QStringLiteral("/>");
}

} // namespace

bool sameTitleSet(const DvdTitle& a, const DvdTitle& b) { return a.widescreen == b.widescreen && a.audio == b.audio; }

QString chapters(double seconds, std::chrono::seconds every)
{
    QStringList marks{QStringLiteral("0")};
    for (qint64 at = every.count(); every.count() > 0 && at < seconds && marks.size() < mostChapters;
         at += every.count())
        marks << timecode(at);
    return marks.join(u',');
}

QByteArray xml(const QList<DvdTitle>& titles, std::chrono::seconds chapterEvery)
{
    const TvStandard standard = titles.isEmpty() ? TvStandard::Ntsc : titles.first().standard;
    QString sets;
    // A title may jump only to titles of its own set. The way to another set leads through the
    // disc's title menu: the title puts the number it wants into g0 and calls the menu, which
    // jumps there. The menu, which the remote's Title button reaches too, clears g0 and starts
    // the disc over when no number waits.
    QString menuJumps;
    qsizetype setStart = 0;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const DvdTitle& title = titles[i];
        const bool last = i + 1 == titles.size();
        const bool nextAlike = !last && sameTitleSet(title, titles[i + 1]);
        if (i == 0 || !sameTitleSet(titles[i - 1], title)) {
            setStart = i;
            sets += QStringLiteral("  <titleset>\n    <titles>\n      %1\n      <audio format=\"%2\"/>\n")
                        .arg(videoTag(standard, &title), title.audio == AudioCodec::Ac3 ? "ac3" : "mp2");
        }
        // Numbered from 1 on the disc, and from 1 within each set.
        const qsizetype next = i + 2;
        QString post = QStringLiteral("exit;");
        if (nextAlike) {
            post = QStringLiteral("jump title %1;").arg(next - setStart);
        } else if (!last) {
            post = QStringLiteral("g0 = %1; call vmgm menu entry title;").arg(next);
            menuJumps += QStringLiteral(" if (g1 eq %1) jump title %1;").arg(next);
        }
        sets += QStringLiteral("      <pgc>\n        <vob file=\"%1\" chapters=\"%2\"/>\n"
                               "        <post>%3</post>\n      </pgc>\n")
                    .arg(escaped(title.path), chapters(title.seconds, chapterEvery), post);
        if (!nextAlike)
            sets += QStringLiteral("    </titles>\n  </titleset>\n");
    }
    return QStringLiteral("<dvdauthor>\n  <vmgm>\n    <fpc>jump title 1;</fpc>\n    <menus>\n      %1\n"
                          "      <pgc entry=\"title\">\n        <pre>g1 = g0; g0 = 0;%2 jump title 1;</pre>\n"
                          "      </pgc>\n    </menus>\n  </vmgm>\n%3</dvdauthor>\n")
        .arg(videoTag(standard), menuJumps, sets)
        .toUtf8();
}

} // namespace DvdAuthorScript
