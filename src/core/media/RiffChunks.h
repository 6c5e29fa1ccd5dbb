#pragma once

#include "ByteSource.h"
#include "MpegInfo.h"
#include "TextCodec.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace torvane {

// One chunk of a RIFF file: its identifier and where its data lies. Size is as declared but
// never runs past the end of the walked range.
struct RiffChunk {
    char Id[4] = {};
    uint64_t Offset = 0; // of the data, after the eight-byte chunk header
    uint64_t Size = 0;

    bool Is(std::string_view id) const { return id == std::string_view(Id, 4); }
};

// The RIFF header ("RIFF", size, form type) is this long; the chunks follow it.
constexpr uint64_t RiffHeaderSize = 12;

// Calls visit for each chunk between begin and end, in file order, until it answers false.
// Chunks are found by their sizes; an odd size is followed by one padding byte. RIFF writes
// the sizes little-endian, AIFF (whose chunks are laid out the same way) big-endian.
void WalkChunks(const CByteSource& source, uint64_t begin, uint64_t end, bool bigEndianSizes,
                const std::function<bool(const RiffChunk&)>& visit);

inline void WalkRiffChunks(const CByteSource& source, uint64_t begin, uint64_t end,
                           const std::function<bool(const RiffChunk&)>& visit) {
    WalkChunks(source, begin, end, false, visit);
}

// Reads the texts of a "LIST" chunk of type "INFO" into the extended fields of info; other
// lists are left alone. The first of "INAM" and "ISBJ" gives the title.
void ReadRiffInfo(const CByteSource& source, const RiffChunk& list, const CTextCodec& codec,
                  MpegInfo& info);

} // namespace torvane
