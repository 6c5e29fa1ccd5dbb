#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
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

inline std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return upper;
}

// The decimal number at the start of a text ("07/12" gives 7, "44000 Hz" 44000), 0 when there
// is none; clamped to the 32-bit range.
inline int32_t LeadingNumber(std::string_view text) {
    const long value = std::strtol(std::string(text).c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

} // namespace torvane
