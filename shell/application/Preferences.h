#pragma once

#include "JobSettings.h"
#include "Option.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

// The user's settings (the table of Options) in the per-user store
// (~/.config/mpgfix/mpgfix.conf), over an in-memory layer of registered defaults that is never
// written. Nothing is cached: every read asks the store, and every write is flushed at once.
class Preferences {
public:
    // Registers every option's default; writes nothing.
    void registerDefaults();
    // Replaces a folder stored in a form that has none as text (a list, say) by the default one.
    void repairPath();

    // The stored value made usable: a switch as a bool, a number within its limits, a choice as
    // the index of its word (an unknown word counts as the default), a folder absolute (a
    // leading ~ is the home folder, and an empty or relative folder the default one).
    QVariant value(const Option& option) const;
    // Stores a usable value in the option's own words.
    void setValue(const Option& option, const QVariant& value);
    // Every option a job takes, as it is when its file's turn comes.
    JobSettings jobSettings() const;

    // The folder files or a folder were last opened from, for the next chooser to start in; the
    // home folder before the first time.
    QString lastOpenedFolder() const;
    void setLastOpenedFolder(const QString& folder);

    // The desktop's videos folder (~/Videos on most Linux desktops).
    static QString defaultPath();

private:
    QVariant stored(const QString& key) const;
    // No string where neither layer has a value, or where the value is a list or a map.
    std::optional<QString> stringForKey(const QString& key) const;
    void write(const QString& key, const QVariant& value);

    QVariantMap defaults_;
};
