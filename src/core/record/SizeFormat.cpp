#include "core/record/SizeFormat.h"

namespace torvane {

std::string FormatSizeUnits(int64_t bytes, int level) {
    if (bytes == -1)
        return "--";
    const auto raw = static_cast<uint64_t>(bytes);
    uint64_t value = raw;
    for (int i = 1; i < level; ++i)
        value /= 1024;
    // value * 10 / 1024 without overflowing for values near the 64-bit limit
    uint64_t tenths = (value / 1024) * 10 + (value % 1024) * 10 / 1024;
    if (raw != 0 && tenths == 0)
        tenths = 1;

    const std::string whole = std::to_string(tenths / 10);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += ',';
        grouped += whole[i];
    }
    return grouped + "." + std::to_string(tenths % 10);
}

} // namespace torvane
