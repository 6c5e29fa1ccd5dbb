#pragma once

#include "core/playlist/PlaylistEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// An M3U text with CR LF line ends: one location per line, and in the extended form an
// "#EXTM3U" header and "#EXTINF:<seconds>,<title>" before each location.
std::string BuildM3u(const std::vector<PlaylistEntry>& entries, bool extended);

// The same in pieces, for a text written as it is made: the header ("#EXTM3U" line, or nothing
// in the plain form), and each entry's lines appended to text.
std::string_view M3uHeader(bool extended);
void AppendM3uEntry(std::string& text, const PlaylistEntry& entry, bool extended);

} // namespace torvane
