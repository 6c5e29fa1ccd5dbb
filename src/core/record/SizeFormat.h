#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// Bytes as kilobytes (level 1) or megabytes (level 2) with one decimal and thousands commas:
// "1,234.5". Any non-empty size shows at least "0.1"; -1 (unavailable) gives "--".
std::string FormatSizeUnits(int64_t bytes, int level);

} // namespace torvane
