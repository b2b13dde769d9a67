#pragma once

#include "JobSettings.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

// The user preferences in the per-user store (~/.config/mpgfix/mpgfix.conf), over an
// in-memory layer of registered defaults that is never written. Nothing is cached: every read
// asks the store, and every write is flushed at once.
class Preferences {
public:
    static inline const QString forceKey = QStringLiteral("force");
    static inline const QString bitrateKey = QStringLiteral("bitrate");
    static inline const QString pathKey = QStringLiteral("path");
    static inline const QString takenKey = QStringLiteral("taken");
    static inline const QString dvdKey = QStringLiteral("dvd");
    static inline const QString barsKey = QStringLiteral("bars");
    // "wait" (or nothing stored) or "continue".
    static inline const QString failureKey = QStringLiteral("failure");
    static inline const QString filesAtOnceKey = QStringLiteral("filesAtOnce");

    // The whole megabits per second the window offers and a job may use.
    static constexpr qint64 minBitrate = 1;
    static constexpr qint64 maxBitrate = 9;

    // As many files at once as the machine has cores: more only share them.
    static int maxFilesAtOnce();

    // Registers the defaults (force, DVD and bars off, 6 Mbps, the videos folder, one file at a
    // time); writes nothing.
    void registerDefaults();
    // Replaces a "path" value that has no string form (a list, say) by the default folder.
    void repairPath();

    bool boolForKey(const QString& key) const;
    qint64 integerForKey(const QString& key) const;
    // No string where neither layer has a value, or where the value is a list or a map.
    std::optional<QString> stringForKey(const QString& key) const;

    void setBool(const QString& key, bool value);
    void setInteger(const QString& key, qint64 value);
    void setString(const QString& key, const QString& value);
    void setNameTaken(NameTaken choice);

    // What a job uses and the window shows: the stored values made usable.
    bool force() const;
    // Within minBitrate..maxBitrate.
    qint64 bitrate() const;
    // Absolute: a leading ~ is the home folder, and an empty or relative folder the default one.
    QString path() const;
    // Show a message unless one of the other choices is stored.
    NameTaken nameTaken() const;
    bool dvd() const;
    bool keepProportions() const;
    // A failure holds the queue behind its message, unless "continue" is stored.
    bool waitOnFailure() const;
    void setWaitOnFailure(bool wait);
    // Within 1..maxFilesAtOnce().
    int filesAtOnce() const;
    // All of the above, as a job takes them when its file's turn comes.
    JobSettings jobSettings() const;

    // The choice a stored word ("message", "keep", "replace") stands for; nothing for another word.
    static std::optional<NameTaken> nameTakenFromWord(const QString& word);

    // The desktop's videos folder (~/Videos on most Linux desktops).
    static QString defaultPath();

private:
    QVariant value(const QString& key) const;
    void write(const QString& key, const QVariant& value);

    QVariantMap defaults_;
};
