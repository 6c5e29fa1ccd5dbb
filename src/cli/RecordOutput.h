#pragma once

#include "cli/Json.h"

#include <string>

namespace torvane {
class CListData;
struct DisplayUnits;
} // namespace torvane

namespace torvane::cli {

// Present only for a path that is not valid UTF-8: its exact bytes in base64, where FilePath
// (and FileName, Ext and the display texts) show each stray byte as U+FFFD.
inline constexpr const char* FilePathBytesField = "FilePathBytes";

// Every field of the record by its name, the state bits by name, and the fifteen column texts
// as the list view shows them with these units.
CJsonObject RecordJson(const CListData& record, const DisplayUnits& units);

// The fifteen column texts in key order, separated by tabs.
std::string RecordLine(const CListData& record, const DisplayUnits& units);

} // namespace torvane::cli
