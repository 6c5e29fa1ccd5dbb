#pragma once

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/media/AudioInfo.h"
#include "core/media/LegacyTexts.h"

#include <cstdint>
#include <optional>
#include <span>

namespace torvane {

// The ten-byte header of an ID3v2 tag.
struct Id3v2Header {
    static constexpr size_t HeaderSize = 10;

    int Major = 0; // 2, 3 or 4 for the versions whose frames are read
    uint8_t Flags = 0;
    uint32_t Size = 0; // bytes after the header, without a footer

    bool Unsynchronised() const { return (Flags & 0x80) != 0; }
    bool HasExtendedHeader() const { return Major >= 3 && (Flags & 0x40) != 0; }
    bool HasFooter() const { return (Flags & 0x10) != 0; }

    // "ID3", the version, flags and the synchsafe size; nullopt when bytes hold no such header.
    static std::optional<Id3v2Header> Parse(std::span<const uint8_t> bytes);
};

// Reads the title, artist, album, comment, track, year and genre frames of the tag at the start
// of source into tags. Frames are read only inside the tag and the file.
// Texts in the single-byte encoding are kept raw in legacy, to be decoded with the file's other
// 8-bit texts.
void ReadId3v2Frames(const CByteSource& source, const Id3v2Header& header, CLegacyTexts& legacy,
                     TagSet& tags);

// Reads the ID3v2 tag that fills a chunk of a container (the "ID3 " chunk of AIFF, the
// "id3 " chunk of WAV) as ReadId3v2Frames does; texts it holds replace those of tags. False
// when the chunk holds no tag.
bool ReadEmbeddedId3v2(const CByteSource& source, uint64_t offset, uint64_t size,
                       CLegacyTexts& legacy, TagSet& tags);

} // namespace torvane
