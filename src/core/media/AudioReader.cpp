#include "core/media/AudioReader.h"

#include "core/base/FileSource.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace torvane {

bool CAudioReader::Read(const std::string& path, AudioInfo& info) const {
    const CFileSource file(path);
    const bool ok = file.IsOpen() ? Read(file, info) : ReadUnopened(info);
    if (ok)
        info.Path = path;
    return ok;
}

bool CAudioReader::ReadUnopened(AudioInfo& info) const {
    return ReadsUnopenedAsEmpty() && Read(CMemorySource({}), info);
}

int32_t SecondsOf(uint64_t samples, uint64_t rate) {
    if (rate == 0)
        return 0;
    return static_cast<int32_t>(
        std::min<uint64_t>(samples / rate, std::numeric_limits<int32_t>::max()));
}

int32_t AverageKbit(uint64_t bytes, uint64_t samples, uint64_t rate) {
    if (samples == 0 || rate == 0)
        return 0;
    // Bits per second over the time in seconds, truncated, then whole kbit/s: the way the
    // common tag libraries report it, so the numbers agree with theirs.
    const double seconds = static_cast<double>(samples) / static_cast<double>(rate);
    const double bitsPerSecond = std::floor(static_cast<double>(bytes) * 8 / seconds);
    return static_cast<int32_t>(std::min(bitsPerSecond / 1000, double{INT32_MAX}));
}

} // namespace torvane
