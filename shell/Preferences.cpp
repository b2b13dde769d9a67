#include "Preferences.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <array>

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

// The stored word of each choice, in the order of NameTaken: words stay readable and keep
// their meaning if the choices are ever reordered.
const std::array<QString, 3> nameTakenWords{
    QStringLiteral("message"),
    QStringLiteral("keep"),
    QStringLiteral("replace"),
};

} // namespace

void Preferences::registerDefaults()
{
    defaults_ = {
        {forceKey, false},
        {dvdKey, false},
        {barsKey, false},
        {bitrateKey, qint64(6)},
        {pathKey, defaultPath()},
        {filesAtOnceKey, 1},
    };
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

void Preferences::setNameTaken(NameTaken choice) { write(takenKey, nameTakenWords.at(size_t(choice))); }

bool Preferences::force() const { return boolForKey(forceKey); }

bool Preferences::dvd() const { return boolForKey(dvdKey); }

bool Preferences::keepProportions() const { return boolForKey(barsKey); }

qint64 Preferences::bitrate() const { return std::clamp(integerForKey(bitrateKey), minBitrate, maxBitrate); }

QString Preferences::path() const
{
    QString folder = stringForKey(pathKey).value_or(QString());
    if (folder == u"~" || folder.startsWith(u"~/"))
        folder.replace(0, 1, QDir::homePath());
    // A relative folder would follow whatever the working folder happens to be.
    if (QDir::isRelativePath(folder))
        return defaultPath();
    return QDir::cleanPath(folder);
}

NameTaken Preferences::nameTaken() const
{
    return nameTakenFromWord(stringForKey(takenKey).value_or(QString())).value_or(NameTaken::ShowMessage);
}

std::optional<NameTaken> Preferences::nameTakenFromWord(const QString& word)
{
    const auto found = std::find(nameTakenWords.begin(), nameTakenWords.end(), word);
    if (found == nameTakenWords.end())
        return std::nullopt;
    return NameTaken(found - nameTakenWords.begin());
}

int Preferences::maxFilesAtOnce() { return std::max(QThread::idealThreadCount(), 1); }

int Preferences::filesAtOnce() const
{
    return int(std::clamp(integerForKey(filesAtOnceKey), qint64(1), qint64(maxFilesAtOnce())));
}

bool Preferences::waitOnFailure() const { return stringForKey(failureKey) != QLatin1String("continue"); }

void Preferences::setWaitOnFailure(bool wait)
{
    write(failureKey, wait ? QStringLiteral("wait") : QStringLiteral("continue"));
}

JobSettings Preferences::jobSettings() const
{
    return {{force(), bitrate() * 1000, dvd(), keepProportions()}, path(), nameTaken(), waitOnFailure()};
}

QString Preferences::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
}

QVariant Preferences::value(const QString& key) const
{
    QVariant stored = userStore().value(key);
    if (stored.isValid())
        return stored;
    return defaults_.value(key);
}

void Preferences::write(const QString& key, const QVariant& value)
{
    QSettings store = userStore();
    store.setValue(key, value);
    store.sync();
}
