#pragma once

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/media/LegacyTexts.h"
#include "core/media/TagSet.h"

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

// Chunks one walk visits at most: far more than any real file holds on one level.
constexpr int MaxChunksPerWalk = 1024;

// Calls visit for each chunk between begin and end, in file order, until it answers false.
// Chunks are found by their sizes; an odd size is followed by one padding byte. RIFF writes
// the sizes little-endian, AIFF (whose chunks are laid out the same way) big-endian. The walk
// also ends at a chunk header of eight zero bytes (zero padding, or a file that was never
// written to the end) and after MaxChunksPerWalk chunks, so no file makes it long.
void WalkChunks(const CByteSource& source, uint64_t begin, uint64_t end, bool bigEndianSizes,
                const std::function<bool(const RiffChunk&)>& visit);

// The end of the form (RIFF or AIFF "FORM") whose header stands at offset: as its size
// declares, cut to the source; the end of the source when the size is too small to hold the
// form type (some writers leave it 0 while they stream).
uint64_t FormEnd(const CByteSource& source, uint64_t offset, bool bigEndianSizes);

inline void WalkRiffChunks(const CByteSource& source, uint64_t begin, uint64_t end,
                           const std::function<bool(const RiffChunk&)>& visit) {
    WalkChunks(source, begin, end, false, visit);
}

// Reads the texts of a "LIST" chunk of type "INFO" into tags, kept raw in legacy to be decoded
// with the file's other 8-bit texts; other lists are left alone. The first of "INAM" and
// "ISBJ" gives the title.
void ReadRiffInfo(const CByteSource& source, const RiffChunk& list, CLegacyTexts& legacy,
                  TagSet& tags);

} // namespace torvane
