#pragma once

#include "core/media/TagSet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace torvane {

// What a reader found in one file, in the terms of the record it fills: whoever takes it need
// not know which reader ran. Texts are UTF-8; a track number is a text, as the file gives it.
struct AudioInfo {
    // The longest text a FLAC, Opus, MP4, AIFF or Ogg Vorbis reader keeps.
    static constexpr size_t MaxTextBytes = 255;
    // The longest ID3 or RIFF INFO text, and the longest ID3v2 track text.
    static constexpr size_t MaxId3TextBytes = 260;
    static constexpr size_t MaxId3TrackBytes = 23;
    enum TagSetBit : int32_t { StandardSet = 1, ExtendedSet = 2 };
    // The tags an MPEG or RIFF file holds (what the Type text names).
    enum TagFlag : int32_t { TagId3v1 = 1, TagId3v2 = 2, TagRiffMp3 = 4, TagRiffWave = 8 };
    // Fields for which the file gave nothing usable: the record keeps what it holds there. The
    // first five are of the standard set; ExtendedSetKept keeps the whole extended set, for the
    // formats that have none.
    enum KeptField : uint32_t {
        TitleKept = 1,
        ArtistKept = 2,
        AlbumKept = 4,
        CommentKept = 8,
        TrackNumKept = 16,
        ExtendedSetKept = 32,
    };

    std::string Path;     // the file, when it was read by its path
    TagSet Std;           // ID3v1, Vorbis comments, Windows Media attributes, MP4 items
    TagSet Ext;           // ID3v2, RIFF INFO, the text chunks and ID3 chunk of AIFF
    int32_t TagSets = 0;  // which of the two sets the file holds
    int32_t TagFlags = 0; // TagFlag: MPEG and RIFF files only
    uint32_t Kept = 0;    // KeptField
    // The record's type text: "ID3 V1", "OggVorbis", a codec name, "FLAC", ...
    std::string Type;
    // Whole seconds, 0 when not determined (-1 for an Ogg Vorbis file whose last page was not
    // found).
    int32_t PlayTime = 0;
    int32_t BitRate = 0;      // kbit/s, -1 for a variable bit rate
    int32_t SamplingRate = 0; // Hz
    // The texts shown for the two rates when they are not the numbers' own ("(VBR)", or those
    // a Windows Media codec gives); without them the record shows "%d kbit" and "%d Hz".
    std::optional<std::string> BitRateText;
    std::optional<std::string> SamplingRateText;
    int32_t NominalBitrate = 0; // bit/s, as an Ogg Vorbis header states it
    int64_t FileLength = 0;     // bytes the MPEG and Ogg Vorbis readers saw
    int32_t Status = 0;         // Ogg Vorbis: 1 when both headers were read, -1 otherwise
};

} // namespace torvane
