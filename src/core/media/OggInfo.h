#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// What the Ogg Vorbis reader found in one file. Texts are UTF-8, at most 255 bytes.
struct OggInfo {
    std::string Path;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Comment;
    std::string Year;  // never filled
    std::string Genre; // never filled
    int32_t TrackNumber = 0;
    int32_t PlayTime = 0; // -1 when no last page was found
    int64_t FileLength = 0;
    int32_t NominalBitrate = 0; // bit/s
    int32_t SamplingRate = 0;
    int32_t Status = 0; // 1 when both headers were read, -1 otherwise
};

} // namespace torvane
