#pragma once

#include "JobSettings.h"

#include <QStringList>
#include <QVariant>

// One user setting, declared once: the key and words it is stored under, the values it takes,
// the window control that shows it, and its command-line flag with its help. The preferences,
// the window's options, the command line and --help are all made from these.
struct Option {
    enum class Kind {
        Switch,  // on or off: a check box; the flag turns it on
        Number,  // a whole number within limits: a slider or a spin box
        Choice,  // one of the words: a combo box listing them in their order
        Folder,  // an absolute folder, by default the desktop's videos folder: a folder button
    };

    // The key in the store; existing stores keep theirs.
    const char* key;
    Kind kind;
    // The object name of the window's control.
    const char* control;
    // Without the dashes; none for a setting of the window alone.
    const char* flag = nullptr;
    // What --help calls the flag's value, translated in the context "CommandLine".
    const char* valueName = nullptr;
    // --help's line for the flag, translated in the context "CommandLine".
    const char* help = nullptr;
    // Switch: bool; Number: int; Choice: the index of a word.
    QVariant defaultValue = {};
    // Number: the limits; a stored value beyond them counts as the nearest.
    int low = 0;
    int (*high)() = nullptr;
    // Number: a flag may ask beyond `high`, up to this, where it is more than nothing.
    int flagHigh = 0;
    // Number: how a value reads with its unit, translated in the context "Options" ("%1 Mbps").
    const char* unit = nullptr;
    // Choice: the stored words, in the order of the choices.
    QStringList words = {};
    // Choice: the flag's words where they differ from the stored ones, in the same order; the
    // stored words are still taken.
    QStringList flagWords = {};
    // Where a job takes the usable value; none for a setting that is not a job's.
    void (*apply)(JobSettings& settings, const QVariant& value) = nullptr;

    int highest() const { return high ? high() : low; }
    // The words --help and the command line offer.
    const QStringList& wordsOfFlag() const { return flagWords.isEmpty() ? words : flagWords; }
};
