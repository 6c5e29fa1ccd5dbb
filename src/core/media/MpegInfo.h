#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvane {

// What the MPEG audio / RIFF reader found in one file. Texts are UTF-8, at most MaxTextBytes
// (ExtTrack at most MaxTrackBytes, the ID3v1 fields at most 30 bytes before decoding).
struct MpegInfo {
    static constexpr size_t MaxTextBytes = 260;
    static constexpr size_t MaxTrackBytes = 23;
    enum TagFlag : int32_t { TagId3v1 = 1, TagId3v2 = 2, TagRiffMp3 = 4, TagRiffWave = 8 };

    std::string StdTitle;
    std::string StdArtist;
    std::string StdAlbum;
    std::string StdComment;
    std::string StdGenre; // never filled
    std::string StdYear;
    std::string ExtTitle;
    std::string ExtArtist;
    std::string ExtAlbum;
    std::string ExtComment;
    std::string ExtGenre;
    std::string ExtYear;
    int32_t StdTrack = 0;
    std::string ExtTrack;
    int32_t PlayTime = 0;
    int64_t FileLength = 0;
    int32_t BitRate = 0; // kbit/s, -1 for a variable bit rate
    int32_t SamplingRate = 0;
    int32_t TagFlags = 0;
};

} // namespace torvane
