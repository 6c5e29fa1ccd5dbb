#pragma once

#include <string>
#include <string_view>

namespace torvane {

// text without its leading and trailing spaces and tabs (a part of it, not a copy).
std::string_view TrimBlanks(std::string_view text);
// A path as typed or listed: blanks trimmed, then one pair of enclosing quotes removed (a part
// of text, not a copy).
std::string_view EntryText(std::string_view text);

} // namespace torvane
