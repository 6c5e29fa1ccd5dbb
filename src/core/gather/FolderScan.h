#pragma once

#include <string>

namespace torvane {

class CProgress;
class CTorvaneDoc;

// Adds the audio files of folder and its subfolders down to the document's "SearchClass" depth
// (0: every level; the folder itself is level 1): each folder's subfolders first, each fully,
// then its own files in the reverse of the listing order. Hidden entries are skipped, and a
// folder already on the path being scanned is not entered again. A folder reached again (by
// links) is scanned again, until such folders come to 100,000 entries in all: then they are
// skipped, with MessageId::NestedFolders. The bar moves from start
// through the span (both on 0..100); a cancel stops every level.
void ScanFolder(CTorvaneDoc& doc, const std::string& folder, CProgress& progress, double start,
                double span);

} // namespace torvane
