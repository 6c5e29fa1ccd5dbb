#pragma once

#include "core/media/TagSet.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvane {

// What the FLAC, Opus, MP4 and AIFF readers found in one file. Texts are UTF-8, at most
// MaxTextBytes; a track number is the decimal number of the track, empty when there is none.
struct AudioInfo {
    static constexpr size_t MaxTextBytes = 255;
    enum TagSetBit : int32_t { StandardSet = 1, ExtendedSet = 2 };

    TagSet Std;
    TagSet Ext;               // AIFF text chunks and ID3 chunk, as RIFF INFO and ID3 are in WAVE
    int32_t TagSets = 0;      // which of the two sets the file holds
    int32_t PlayTime = 0;     // whole seconds, 0 when not determined
    int32_t BitRate = 0;      // kbit/s
    int32_t SamplingRate = 0; // Hz
    std::string Type;         // the record's type text: "FLAC", "Opus", "MP4 AAC", "AIFF", ...
};

} // namespace torvane
