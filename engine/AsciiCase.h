#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// The tool's English words are matched ignoring the case of ASCII letters only: its console may
// hold any bytes, which must pass through unchanged.
inline void foldAsciiCase(std::string& text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

// Whether `folded` holds any of `words`, which are in lower case.
template <typename Words>
bool containsAnyWord(std::string_view folded, const Words& words)
{
    return std::any_of(std::begin(words), std::end(words),
                       [&](std::string_view word) { return folded.find(word) != std::string_view::npos; });
}
