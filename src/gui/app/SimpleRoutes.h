#pragma once

#include "core/doc/TorvaneDoc.h"

#include <string>
#include <vector>

namespace torvane {

class CProgress;

// Plain gathering and list-file routes the window uses for the command line, drops and the
// list kept between runs.
namespace simple {

// Adds each path: a folder is scanned down to the document's depth (subfolders first, then
// its files in reverse listing order, hidden entries skipped), a ".m3u" or ".txt" file is read
// as a list, any other file is offered to AddFile with the extension check. Paths that do not
// exist are skipped; cancelling stops after the current entry. Does not update the view.
void GatherPaths(CTorvaneDoc& doc, const std::vector<std::string>& paths, CProgress& progress);

// Adds the entries of a list file, one path a line; "#" lines are comments and relative
// entries are taken from the list's folder. False when the file cannot be read.
bool ReadPathList(CTorvaneDoc& doc, const std::string& file);

// Writes the paths of the list, one a line, atomically. False with a reason on failure.
bool WritePathList(const TrackList& list, const std::string& file, std::string& error);

} // namespace simple
} // namespace torvane
