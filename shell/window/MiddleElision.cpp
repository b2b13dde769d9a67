#include "MiddleElision.h"

namespace {

// An extension worth keeping whole: a short tail after the last dot, not a hidden file's dot.
qsizetype extensionStart(const QString& name)
{
    constexpr qsizetype longestExtension = 8;
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 && name.size() - dot <= longestExtension ? dot : name.size();
}

} // namespace

QString elideFileName(const QString& name, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(name) <= width)
        return name;
    const qsizetype dot = extensionStart(name);
    const QString extension = name.mid(dot);
    const QString start = metrics.elidedText(name.left(dot), Qt::ElideMiddle, width - metrics.horizontalAdvance(extension));
    // Too narrow for even a letter before the extension: a lone ".mp4" would name another file.
    return start.isEmpty() ? metrics.elidedText(name, Qt::ElideRight, width) : start + extension;
}

QString lastPathComponent(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed == u"/" ? trimmed : trimmed.section(u'/', -1);
}

QString withBreakOpportunities(const QString& text)
{
    constexpr QChar zeroWidthSpace(0x200B);
    constexpr int longestRun = 16;
    QString broken;
    int run = 0;
    for (const QChar c : text) {
        broken += c;
        run = c.isSpace() ? 0 : run + 1;
        const bool breaksAfter = c == u'/' || c == u'_' || c == u'-' || c == u'.';
        if ((breaksAfter || run >= longestRun) && !c.isHighSurrogate()) {
            broken += zeroWidthSpace;
            run = 0;
        }
    }
    return broken;
}
