#pragma once

#include "JobSettings.h"
#include "Option.h"

#include <QStringList>
#include <QVariant>

#include <map>

// What a batch run was asked on the command line. An option not given keeps the stored
// preference; none of these is ever stored.
struct BatchOptions {
    // Absolute files and folders, in the order given.
    QStringList inputs;
    // The options given, each with its usable value.
    std::map<const Option*, QVariant> given;
    // One JSON object per finished file instead of the lines for people.
    bool json = false;

    // `stored` with the options given here laid over it.
    JobSettings over(JobSettings stored) const
    {
        for (const auto& [option, value] : given)
            if (option->apply)
                option->apply(stored, value);
        // Nobody is there to read a failure: it is reported with its file, and the next one starts.
        stored.waitOnFailure = false;
        return stored;
    }
    // The given value of `option`, else `stored`.
    QVariant valueOr(const Option& option, const QVariant& stored) const
    {
        const auto found = given.find(&option);
        return found == given.end() ? stored : found->second;
    }
};
