#pragma once

#include <QString>

// The preferences a fix job reads, each read anew from the store at the moment it is needed.
class JobSettings {
public:
    virtual ~JobSettings() = default;

    virtual bool force() const = 0;
    virtual qint64 bitrate() const = 0;
    virtual QString path() const = 0;
};
