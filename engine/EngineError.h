#pragma once

#include <QString>

// An error as the engine reports it: where it comes from, a code, and a sentence for the user.
struct EngineError {
    QString domain;
    int code = 0;
    QString description;

    bool operator==(const EngineError&) const = default;
};
