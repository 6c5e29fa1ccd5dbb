#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Removes leading and trailing spaces and tabs.
std::string TrimBlanks(std::string_view text);
// A path as typed or listed: blanks trimmed, then one pair of enclosing quotes removed.
std::string EntryText(std::string_view text);

} // namespace torvane
