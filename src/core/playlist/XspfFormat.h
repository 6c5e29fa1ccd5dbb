#pragma once

#include "core/playlist/PlaylistEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// An XSPF version 1 document: one track per entry with its location (a percent-encoded
// "file://" URI for an absolute path, a relative URI reference otherwise) and, where known,
// title, creator, album, trackNum and duration in milliseconds.
std::string BuildXspf(const std::vector<PlaylistEntry>& entries);

// The same in pieces, for a document written as it is made: what comes before the tracks, one
// entry's track appended to xml, and what comes after them.
std::string_view XspfHeader();
void AppendXspfTrack(std::string& xml, const PlaylistEntry& entry);
std::string_view XspfFooter();

// The location texts of every track of an XSPF document's track list, entities and CDATA
// decoded, one list of alternatives per track, in document order. Malformed input gives what
// could be read before the fault.
std::vector<std::vector<std::string>> ParseXspfLocations(std::string_view xml);

} // namespace torvane
