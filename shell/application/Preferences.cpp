#include "Preferences.h"

#include "Options.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

// A QSettings of its own for every access: distinct QSettings objects may be used on
// different threads at once, and they share one cache of the file, so a read sees a
// write of another thread whole.
QSettings userStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("mpgfix"),
                     QStringLiteral("mpgfix"));
}

bool hasStringForm(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QString absoluteFolder(QString folder)
{
    if (folder == u"~" || folder.startsWith(u"~/"))
        folder.replace(0, 1, QDir::homePath());
    // A relative folder would follow whatever the working folder happens to be.
    if (QDir::isRelativePath(folder))
        return Preferences::defaultPath();
    return QDir::cleanPath(folder);
}

} // namespace

void Preferences::registerDefaults()
{
    defaults_.clear();
    for (const Option* option : Options::all()) {
        switch (option->kind) {
        case Option::Kind::Folder:
            defaults_.insert(option->key, defaultPath());
            break;
        case Option::Kind::Choice:
            defaults_.insert(option->key, option->words.value(option->defaultValue.toInt()));
            break;
        default:
            defaults_.insert(option->key, option->defaultValue);
        }
    }
}

void Preferences::repairPath()
{
    for (const Option* option : Options::all())
        if (option->kind == Option::Kind::Folder && !stringForKey(option->key))
            write(option->key, defaultPath());
}

QVariant Preferences::value(const Option& option) const
{
    switch (option.kind) {
    case Option::Kind::Switch:
        return stored(option.key).toBool();
    case Option::Kind::Number:
        return int(std::clamp(stored(option.key).toLongLong(), qint64(option.low), qint64(option.highest())));
    case Option::Kind::Choice: {
        const qsizetype index = option.words.indexOf(stringForKey(option.key).value_or(QString()));
        return index < 0 ? option.defaultValue.toInt() : int(index);
    }
    case Option::Kind::Folder:
        return absoluteFolder(stringForKey(option.key).value_or(QString()));
    }
    return {};
}

void Preferences::setValue(const Option& option, const QVariant& value)
{
    switch (option.kind) {
    case Option::Kind::Switch:
        return write(option.key, value.toBool());
    case Option::Kind::Number:
        return write(option.key, value.toLongLong());
    case Option::Kind::Choice:
        return write(option.key, option.words.value(value.toInt()));
    case Option::Kind::Folder:
        return write(option.key, value.toString());
    }
}

JobSettings Preferences::jobSettings() const
{
    JobSettings settings;
    for (const Option* option : Options::all())
        if (option->apply)
            option->apply(settings, value(*option));
    return settings;
}

QString Preferences::defaultPath() { return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation); }

QString Preferences::lastOpenedFolder() const
{
    const QString folder = stringForKey(QStringLiteral("lastOpenedFolder")).value_or(QString());
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void Preferences::setLastOpenedFolder(const QString& folder) { write(QStringLiteral("lastOpenedFolder"), folder); }

QVariant Preferences::stored(const QString& key) const
{
    QVariant found = userStore().value(key);
    if (found.isValid())
        return found;
    return defaults_.value(key);
}

std::optional<QString> Preferences::stringForKey(const QString& key) const
{
    const QVariant found = stored(key);
    if (!hasStringForm(found))
        return std::nullopt;
    return found.toString();
}

void Preferences::write(const QString& key, const QVariant& value)
{
    QSettings store = userStore();
    store.setValue(key, value);
    store.sync();
}
