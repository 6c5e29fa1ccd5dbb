#pragma once

#include "core/playlist/PlaylistEntry.h"

#include <string>
#include <vector>

namespace torvane {

// An M3U text with CR LF line ends: one location per line, and in the extended form an
// "#EXTM3U" header and "#EXTINF:<seconds>,<title>" before each location.
std::string BuildM3u(const std::vector<PlaylistEntry>& entries, bool extended);

} // namespace torvane
