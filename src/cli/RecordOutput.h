#pragma once

#include "Json.h"

#include <string>

namespace torvane {
class CListData;
struct DisplayUnits;
} // namespace torvane

namespace torvane::cli {

// Every field of the record by its name, the state bits by name, and the fifteen column texts
// as the list view shows them with these units.
CJsonObject RecordJson(const CListData& record, const DisplayUnits& units);

// The fifteen column texts in key order, separated by tabs.
std::string RecordLine(const CListData& record, const DisplayUnits& units);

} // namespace torvane::cli
