#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// What the Windows Media (ASF) reader found in one file. Texts are UTF-8.
struct WmaInfo {
    std::string Path;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Comment;
    std::string Year;
    std::string Genre; // never filled
    std::string CodecName;
    std::string BitRateText;      // "128 kbit"
    std::string SamplingRateText; // "44000 Hz"
    int32_t PlayTime = 0;
    std::string TrackText;
};

} // namespace torvane
