#pragma once

#include "core/doc/TorvaneDoc.h"
#include "core/listops/SearchRequest.h"

#include <string>

namespace torvane {

// "フォルダから追加": adds every file of the folder's whole tree (hidden entries included, no
// depth limit) that passes the request to the current list through AddFile. The request's
// extension (the end of the path, any case), terms on the path or the file name, and size in
// units of 1000 bytes count; the registry is asked only with the extension condition on.
// A link to a folder already on the way down is not followed. Runs under the wait cursor and
// a progress window whose cancel button stops it (what was added stays). Answers the number
// added.
int SearchFolder(CTorvaneDoc& doc, const SearchRequest& request, const std::string& folder);

} // namespace torvane
