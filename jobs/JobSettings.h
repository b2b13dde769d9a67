#pragma once

#include <QString>

// What a job does when the output's name is already taken by another file.
enum class NameTaken {
    ShowMessage,  // refuse with a sheet that names the file; write nothing
    KeepBoth,     // write "<name> (2).mpg", "<name> (3).mpg", ... whichever is free first
    Replace,      // replace the old file in one rename once the new one is complete
};

// The preferences a fix job reads, each read anew from the store at the moment it is needed.
class JobSettings {
public:
    virtual ~JobSettings() = default;

    virtual bool force() const = 0;
    // Megabits per second, already within the range the window offers.
    virtual qint64 bitrate() const = 0;
    // An absolute folder.
    virtual QString path() const = 0;
    virtual NameTaken nameTaken() const = 0;
    // Outputs a DVD authoring tool accepts as they are.
    virtual bool dvd() const = 0;
    // Re-encoded pictures keep their proportions, with black bars.
    virtual bool keepProportions() const = 0;
};
