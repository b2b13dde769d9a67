#include "LeftOutNote.h"

#include <QFileInfo>

namespace {
// More names than a tooltip can show on a screen only hide the end of the list.
constexpr int namesShown = 20;
} // namespace

LeftOutNote::LeftOutNote(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("leftOutNote"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    hide();
}

void LeftOutNote::clear()
{
    files_.clear();
    hide();
}

void LeftOutNote::add(const QStringList& files)
{
    files_ << files;
    const int count = int(files_.size());
    setText(count == 1 ? tr("1 file was not a video and was left out.")
                       : tr("%n files were not videos and were left out.", "", count));
    QStringList names;
    for (const QString& file : files_.mid(0, namesShown))
        names << QFileInfo(file).fileName();
    if (count > namesShown)
        names << tr("and %n more", "", count - namesShown);
    setToolTip(names.join(u'\n'));
    setVisible(count > 0);
}
