#include "core/media/RiffChunks.h"

#include "core/base/ByteReader.h"
#include "core/media/AudioInfo.h"

#include <algorithm>
#include <cstring>

namespace torvane {
namespace {

// Bytes of one INFO value that are read: far more than any kept text needs.
constexpr size_t MaxValueBytes = 4096;
constexpr size_t MaxTextBytes = AudioInfo::MaxId3TextBytes;

std::string* InfoField(const RiffChunk& chunk, TagSet& tags) {
    if (chunk.Is("INAM") || chunk.Is("ISBJ"))
        return tags.Title.empty() ? &tags.Title : nullptr;
    if (chunk.Is("IART"))
        return &tags.Artist;
    if (chunk.Is("IPRD"))
        return &tags.Album;
    if (chunk.Is("ICMT"))
        return &tags.Comment;
    if (chunk.Is("ICRD"))
        return &tags.Year;
    if (chunk.Is("IGNR"))
        return &tags.Genre;
    return nullptr;
}

bool IsZero(uint8_t byte) {
    return byte == 0;
}

} // namespace

uint64_t FormEnd(const CByteSource& source, uint64_t offset, bool bigEndianSizes) {
    const uint64_t size = source.Size();
    const auto bytes = source.Read(offset + 4, 4);
    CByteReader reader(bytes);
    const uint32_t declared = bigEndianSizes ? reader.U32BE() : reader.U32LE();
    if (!reader.Ok() || declared < 4 || offset > size || size - offset < 8)
        return size;
    return std::min(size, offset + 8 + declared);
}

void WalkChunks(const CByteSource& source, uint64_t begin, uint64_t end, bool bigEndianSizes,
                const std::function<bool(const RiffChunk&)>& visit) {
    end = std::min(end, source.Size());
    uint64_t pos = begin;
    for (int i = 0; i < MaxChunksPerWalk && pos < end && end - pos >= 8; ++i) {
        const auto header = source.Read(pos, 8);
        if (header.size() < 8 || std::all_of(header.begin(), header.end(), IsZero))
            return;
        CByteReader reader(header);
        RiffChunk chunk;
        std::memcpy(chunk.Id, reader.Bytes(4).data(), 4);
        const uint32_t declared = bigEndianSizes ? reader.U32BE() : reader.U32LE();
        chunk.Offset = pos + 8;
        chunk.Size = std::min<uint64_t>(declared, end - chunk.Offset);
        if (!visit(chunk))
            return;
        const uint64_t padded = uint64_t{declared} + (declared & 1);
        if (padded >= end - chunk.Offset)
            return;
        pos = chunk.Offset + padded;
    }
}

void ReadRiffInfo(const CByteSource& source, const RiffChunk& list, CLegacyTexts& legacy,
                  TagSet& tags) {
    const auto type = source.Read(list.Offset, 4);
    if (!list.Is("LIST") || list.Size < 4 || !CByteReader(type).Peek("INFO"))
        return;
    WalkRiffChunks(source, list.Offset + 4, list.Offset + list.Size, [&](const RiffChunk& item) {
        if (std::string* field = InfoField(item, tags)) {
            const auto value = source.Read(item.Offset, std::min<size_t>(item.Size, MaxValueBytes));
            legacy.Keep(*field, CTextCodec::UpToZero(AsText(value)), MaxTextBytes);
        }
        return true;
    });
}

} // namespace torvane
