#pragma once

#include "EngineError.h"

#include <QString>

#include <ostream>

// Readable GoogleTest failure messages for the Qt and engine types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const EngineError& error, std::ostream* out)
{
    *out << "{" << error.domain.toStdString() << ", " << error.code << ", \"" << error.description.toStdString()
         << "\"}";
}
