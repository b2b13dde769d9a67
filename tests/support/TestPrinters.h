#pragma once

#include "EngineError.h"

#include <QString>

#include <ostream>

// Readable GoogleTest failure messages for the Qt and engine types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// By ErrorKind.
constexpr const char* kindNames[] = {"InputRefused", "UnrecognizedFormat", "NoPicture", "NameTaken", "OverInput",
                                     "NoRoom", "WriteFailed", "ToolMissing", "ToolFailed", "Internal"};

inline void PrintTo(const EngineError& error, std::ostream* out)
{
    *out << "{" << kindNames[int(error.kind)] << ", \"" << error.description.toStdString() << "\"}";
}
