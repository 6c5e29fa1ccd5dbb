#pragma once

#include <string>
#include <string_view>

namespace torvane {

// text without its leading and trailing spaces and tabs (a part of it, not a copy).
std::string_view TrimBlanks(std::string_view text);
// A path as typed or listed: blanks trimmed, then one pair of enclosing quotes removed (a part
// of text, not a copy).
std::string_view EntryText(std::string_view text);

// How a path is given: as an entry (typed, or a line of a list), whose surrounding blanks and
// enclosing quotes are no part of it, or exactly as the file system, a file dialog or a drop
// named the file, whose name may well end in a blank.
enum class PathText { Entry, Exact };

} // namespace torvane
