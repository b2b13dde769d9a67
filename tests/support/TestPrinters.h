#pragma once

#include "EngineError.h"

#include <QString>

#include <ostream>

// Readable GoogleTest failure messages for the Qt and engine types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline const char* kindName(ErrorKind kind)
{
    static const char* const names[] = {"InputRefused", "UnrecognizedFormat", "NoPicture", "NameTaken", "OverInput",
                                        "NoRoom", "WriteFailed", "ToolMissing", "ToolFailed", "Internal"};
    return names[int(kind)];
}

inline void PrintTo(const EngineError& error, std::ostream* out)
{
    *out << "{" << kindName(error.kind) << ", \"" << error.description.toStdString() << "\"}";
}
