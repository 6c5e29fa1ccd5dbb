#pragma once

#include "core/base/TextPool.h"
#include "core/media/TagSet.h"

#include <cstdint>
#include <string>

namespace torvane {

// What a record knows of its file besides the path: size, tags and stream facts. The short
// texts shared by many records (type, rates) are pooled; the size and time texts are made
// when asked for, from the numbers and the two "shown" bits.
struct TrackFacts {
    enum TextBit : uint8_t { SizeShown = 1, TimeShown = 2 };

    TagSet Std;
    TagSet Ext;
    const std::string* Type = &PooledText({});
    const std::string* BitRateText = &PooledText({});
    const std::string* SamplingRateText = &PooledText({});
    int64_t Size = 0; // 0 not read, -1 unavailable
    int32_t Time = 0;
    int32_t BitRate = -1;
    int32_t SamplingRate = -1;
    int32_t TagSets = 0;
    uint8_t Texts = 0; // TextBit: which of the made texts are shown
};

} // namespace torvane
