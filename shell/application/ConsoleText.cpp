#include "ConsoleText.h"

#include <algorithm>
#include <cmath>

namespace {

bool isControl(QChar c)
{
    // Line and paragraph separators end a line too in many a terminal and editor.
    return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
           || c.category() == QChar::Separator_Paragraph;
}

bool hasControl(const QString& text) { return std::any_of(text.begin(), text.end(), isControl); }

// The C escape of one character: the short ones where C has them, else octal of each byte.
QString escapeOf(QChar c)
{
    switch (c.unicode()) {
    case '\a':
        return QStringLiteral("\\a");
    case '\b':
        return QStringLiteral("\\b");
    case '\t':
        return QStringLiteral("\\t");
    case '\n':
        return QStringLiteral("\\n");
    case '\v':
        return QStringLiteral("\\v");
    case '\f':
        return QStringLiteral("\\f");
    case '\r':
        return QStringLiteral("\\r");
    default:
        break;
    }
    QString octal;
    for (const char byte : QString(c).toUtf8())
        octal += QStringLiteral("\\%1").arg(uint(uchar(byte)), 3, 8, QLatin1Char('0'));
    return octal;
}

} // namespace

namespace ConsoleText {

QString escaped(const QString& text)
{
    if (!hasControl(text))
        return text;
    QString result;
    for (const QChar c : text)
        result += isControl(c) ? escapeOf(c) : QString(c);
    return result;
}

QString quotedName(const QString& name)
{
    if (!hasControl(name) && !name.startsWith(u'"'))
        return name;
    QString result(u'"');
    for (const QChar c : name) {
        if (c == u'"' || c == u'\\')
            result += u'\\';
        result += isControl(c) ? escapeOf(c) : QString(c);
    }
    return result + u'"';
}

QString clock(double seconds)
{
    const auto whole = qint64(std::max(0.0, std::round(seconds)));
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg((whole / 60) % 60, whole >= 3600 ? 2 : 1, 10, QLatin1Char('0')).arg(whole % 60, 2, 10, QLatin1Char('0'));
    return whole >= 3600 ? QStringLiteral("%1:%2").arg(whole / 3600).arg(minutesAndSeconds) : minutesAndSeconds;
}

} // namespace ConsoleText
