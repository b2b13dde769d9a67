#pragma once

#include "EngineError.h"

#include <QString>

#include <concepts>
#include <ostream>

// Readable GoogleTest failure messages for the Qt and engine types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const EngineError& error, std::ostream* out)
{
    *out << "{" << error.domain.toStdString() << ", " << error.code << ", \"" << error.description.toStdString()
         << "\"}";
}

namespace TestPrinters {

// A row of a test table prints as its name, so that test listings stay readable. Bring it into
// a test file's namespace with `using TestPrinters::PrintTo;`.
template <typename Row>
    requires requires(const Row& row) {
        { row.name } -> std::convertible_to<const char*>;
    }
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

} // namespace TestPrinters
