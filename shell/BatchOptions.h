#pragma once

#include "JobSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a batch run was asked on the command line. An option not given keeps the stored
// preference; none of these is ever stored.
struct BatchOptions {
    // Absolute files and folders, in the order given.
    QStringList inputs;
    std::optional<QString> folder;
    std::optional<qint64> bitrate;
    std::optional<NameTaken> nameTaken;
    // Switches only ever turn an option on; off is the preference.
    bool force = false;
    bool dvd = false;
    bool keepProportions = false;
    std::optional<int> jobs;
    // One JSON object per finished file instead of the lines for people.
    bool json = false;

    // `stored` with the options given here laid over it.
    JobSettings over(JobSettings stored) const
    {
        stored.folder = folder.value_or(stored.folder);
        stored.output.videoKbps = bitrate ? *bitrate * 1000 : stored.output.videoKbps;
        stored.nameTaken = nameTaken.value_or(stored.nameTaken);
        stored.output.reencodeAll = stored.output.reencodeAll || force;
        stored.output.dvd = stored.output.dvd || dvd;
        stored.output.keepProportions = stored.output.keepProportions || keepProportions;
        // Nobody is there to read a failure: it is reported with its file, and the next one starts.
        stored.waitOnFailure = false;
        return stored;
    }
};
