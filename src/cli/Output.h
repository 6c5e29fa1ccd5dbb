#pragma once

namespace torvane {
class CTorvaneDoc;
}

namespace torvane::cli {

struct GatherOptions;

// Prints the current list (--print, --json; the default when nothing is written), writes it
// with -o and per folder. Write failures are reported on stderr; false then.
bool WriteOutputs(CTorvaneDoc& doc, const GatherOptions& options);

} // namespace torvane::cli
