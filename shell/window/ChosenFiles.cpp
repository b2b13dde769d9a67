#include "ChosenFiles.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>

QStringList chosenFiles(const QFileDialog& chooser, const QStringList& selected)
{
    const auto* nameField = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!nameField)
        return selected;
    const QString typed = nameField->text().trimmed();
    QStringList names;
    // Several names come quoted, as the chooser writes them; one may come bare.
    static const QRegularExpression quoted(QStringLiteral(R"("([^"]+)\")"));
    for (const QRegularExpressionMatch& name : quoted.globalMatch(typed))
        names << name.captured(1);
    if (names.isEmpty() && !typed.isEmpty())
        names << typed;
    QStringList files = selected;
    for (const QString& name : names) {
        const QString file = QDir::cleanPath(chooser.directory().absoluteFilePath(name));
        if (!files.contains(file) && QFileInfo(file).isFile())
            files << file;
    }
    return files;
}
