#include "core/base/FileUri.h"
#include "core/playlist/PlsFormat.h"
#include "core/playlist/XspfFormat.h"

#include <string_view>

// The list readers' parsers on arbitrary text: PLS entries, XSPF locations and what they name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& file : torvane::ParsePlsFiles(text))
        torvane::PathOfLocation(file, "/lists");
    for (const auto& locations : torvane::ParseXspfLocations(text))
        for (const std::string& location : locations)
            torvane::PathOfLocation(location, "/lists");
    return 0;
}
