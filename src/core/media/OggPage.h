#pragma once

#include "core/base/ByteSource.h"
#include "core/base/CachedSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace torvane {

// One Ogg page header: where the page stands, what it carries and how long its body is.
struct OggPage {
    static constexpr size_t FixedHeaderSize = 27;
    static constexpr size_t MaxHeaderSize = FixedHeaderSize + 255;
    enum Flag : uint8_t { Continued = 1, FirstPage = 2, LastPage = 4 };

    // The bytes at the start of the body that belong to the packet begun (or continued) there,
    // and whether that packet ends on this page.
    struct PacketPart {
        uint64_t Length = 0;
        bool EndsHere = false;
    };

    uint64_t Offset = 0; // of the capture pattern
    uint8_t Flags = 0;
    uint64_t Granule = 0; // as stored: a signed 64-bit number, -1 when no packet ends here
    uint32_t Serial = 0;
    uint32_t Sequence = 0;
    uint8_t SegmentCount = 0;
    std::array<uint8_t, 255> Lacing{};
    uint64_t BodyLength = 0; // the sum of the lacing values

    bool Has(Flag flag) const { return (Flags & flag) != 0; }
    uint64_t BodyOffset() const { return Offset + FixedHeaderSize + SegmentCount; }
    uint64_t End() const { return BodyOffset() + BodyLength; }
    PacketPart FirstPacketPart() const;
};

// Parses the page header at the start of bytes (found at offset in the file). False when the
// bytes do not start with the capture pattern "OggS" or end before the header does; the body
// is not looked at and may lie past the end of the data.
bool ParseOggPage(std::span<const uint8_t> bytes, uint64_t offset, OggPage& page);

// Reads and parses the page header at offset.
bool ReadOggPage(const CByteSource& source, uint64_t offset, OggPage& page);

// Whether the packet on the first page of source begins with signature ("OpusHead",
// "\x7F" "FLAC", "\x01vorbis"): the codec of the stream.
bool FirstPacketStartsWith(const CByteSource& source, std::string_view signature);

// The granule position of the last page of the stream with this serial number (the first page
// flagged as the last one that the walk over the pages from the start reaches); nullopt when
// the walk meets a broken page or an empty body before it. Searches near the end of the file
// first, so a long file is not read whole.
std::optional<uint64_t> FindLastGranule(const CCachedSource& source, uint32_t serial);

// The end of the last page that carries the packet beginning on page: the first later page
// that does not continue it ends the run. Audio packets begin on a fresh page, so the audio of
// a stream starts here after its last header packet. Follows 65536 pages at most, and no more
// than budget holds when given, which is then lessened by the pages followed.
uint64_t PacketPagesEnd(const CByteSource& source, const OggPage& page, uint32_t* budget = nullptr);

} // namespace torvane
