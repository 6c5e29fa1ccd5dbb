#pragma once

#include "core/playlist/PlaylistEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// A PLS version 2 text with CR LF line ends: "[playlist]", then File<n>, Title<n> and
// Length<n> (seconds, -1 when unknown) for each entry from 1, NumberOfEntries and Version=2.
std::string BuildPls(const std::vector<PlaylistEntry>& entries);

// The same in pieces, for a text written as it is made: the "[playlist]" line, the lines of the
// entry numbered number appended to text, and the two lines after count entries.
std::string_view PlsHeader();
void AppendPlsEntry(std::string& text, size_t number, const PlaylistEntry& entry);
std::string PlsFooter(size_t count);

// The File<n> values of a PLS text (keys in any case), ordered by n; entries with the same n
// keep their order in the text.
std::vector<std::string> ParsePlsFiles(std::string_view text);

} // namespace torvane
