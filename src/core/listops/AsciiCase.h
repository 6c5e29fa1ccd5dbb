#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Turns the letters A to Z to lower case and keeps every other byte, so UTF-8 stays intact:
// the only case folding that sorting and searching do.
inline void LowerAsciiInPlace(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
}

inline std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    LowerAsciiInPlace(lower);
    return lower;
}

} // namespace torvane
