#pragma once

#include "JobSettings.h"
#include "Option.h"

#include <QStringList>
#include <QVariant>

#include <map>
#include <optional>

// A DVD made of a batch run's files: one bitrate fitted to a disc, a DVD-Video folder, an image.
struct DiscOptions {
    // The disc's bytes the files' one video bitrate is fitted to; nothing keeps the bitrate.
    std::optional<qint64> capacityBytes;
    // The absolute folder the DVD-Video folder goes into; empty for none.
    QString folder;
    // The absolute path of the disc image; empty for none.
    QString image;
    int chapterMinutes = 5;
    // Names the DVD-Video folder and gives the disc its volume label.
    QString title = QStringLiteral("DVD");

    bool authors() const { return !folder.isEmpty() || !image.isEmpty(); }
};

// What a batch run was asked on the command line. An option not given keeps its default, the
// same for whoever runs it: the window's stored settings are never read, and none of these is
// ever stored.
struct BatchOptions {
    // Absolute files and folders, in the order given.
    QStringList inputs;
    // A list of more of them, one a line, read after `inputs`: a file, or "-" for standard
    // input; empty for none.
    QString filesFrom;
    // The list's names end in NUL rather than a line feed, as find -print0 writes them.
    bool nullSeparated = false;
    // The options given, each with its usable value.
    std::map<const Option*, QVariant> given;
    // One JSON object per finished file instead of the lines for people.
    bool json = false;
    DiscOptions disc;

    // `defaults` with the options given here laid over it.
    JobSettings over(JobSettings defaults) const
    {
        for (const auto& [option, value] : given)
            if (option->apply)
                option->apply(defaults, value);
        // Nobody is there to read a failure: it is reported with its file, and the next one starts.
        defaults.waitOnFailure = false;
        // A disc is authored from DVD program streams only.
        defaults.output.dvd = defaults.output.dvd || disc.authors();
        return defaults;
    }
    // The given value of `option`, else its default.
    QVariant valueOf(const Option& option) const
    {
        const auto found = given.find(&option);
        return found == given.end() ? option.defaultValue : found->second;
    }
};
