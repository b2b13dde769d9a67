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

// What a batch run was asked on the command line. An option not given keeps the stored
// preference; none of these is ever stored.
struct BatchOptions {
    // Absolute files and folders, in the order given.
    QStringList inputs;
    // The options given, each with its usable value.
    std::map<const Option*, QVariant> given;
    // One JSON object per finished file instead of the lines for people.
    bool json = false;
    DiscOptions disc;

    // `stored` with the options given here laid over it.
    JobSettings over(JobSettings stored) const
    {
        for (const auto& [option, value] : given)
            if (option->apply)
                option->apply(stored, value);
        // Nobody is there to read a failure: it is reported with its file, and the next one starts.
        stored.waitOnFailure = false;
        // A disc is authored from DVD program streams only.
        stored.output.dvd = stored.output.dvd || disc.authors();
        return stored;
    }
    // The given value of `option`, else `stored`.
    QVariant valueOr(const Option& option, const QVariant& stored) const
    {
        const auto found = given.find(&option);
        return found == given.end() ? stored : found->second;
    }
};
