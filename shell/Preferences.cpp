#include "Preferences.h"

#include <QSettings>
#include <QStandardPaths>

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

} // namespace

void Preferences::registerDefaults()
{
    QVariantMap defaults{
        {forceKey, false},
        {bitrateKey, qint64(6)},
        {pathKey, defaultPath()},
    };
    std::lock_guard lock(defaultsMutex_);
    defaults_ = std::move(defaults);
}

void Preferences::repairPath()
{
    if (!stringForKey(pathKey))
        setString(pathKey, defaultPath());
}

bool Preferences::boolForKey(const QString& key) const { return value(key).toBool(); }

qint64 Preferences::integerForKey(const QString& key) const { return value(key).toLongLong(); }

std::optional<QString> Preferences::stringForKey(const QString& key) const
{
    const QVariant found = value(key);
    if (!hasStringForm(found))
        return std::nullopt;
    return found.toString();
}

void Preferences::setBool(const QString& key, bool value) { write(key, value); }

void Preferences::setInteger(const QString& key, qint64 value) { write(key, value); }

void Preferences::setString(const QString& key, const QString& value) { write(key, value); }

bool Preferences::force() const { return boolForKey(forceKey); }

qint64 Preferences::bitrate() const { return integerForKey(bitrateKey); }

QString Preferences::path() const { return stringForKey(pathKey).value_or(QString()); }

NameTaken Preferences::nameTaken() const { return NameTaken::ShowMessage; }

QString Preferences::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
}

QVariant Preferences::value(const QString& key) const
{
    QVariant stored = userStore().value(key);
    if (stored.isValid())
        return stored;
    std::lock_guard lock(defaultsMutex_);
    return defaults_.value(key);
}

void Preferences::write(const QString& key, const QVariant& value)
{
    QSettings store = userStore();
    store.setValue(key, value);
    store.sync();
}
