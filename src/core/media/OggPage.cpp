#include "OggPage.h"

#include "ByteReader.h"

namespace torvane {

OggPage::PacketPart OggPage::FirstPacketPart() const {
    PacketPart part;
    for (size_t i = 0; i < SegmentCount; ++i) {
        part.Length += Lacing[i];
        // A lacing value below 255 closes the packet.
        if (Lacing[i] < 255) {
            part.EndsHere = true;
            break;
        }
    }
    return part;
}

bool ParseOggPage(std::span<const uint8_t> bytes, uint64_t offset, OggPage& page) {
    CByteReader reader(bytes);
    if (!reader.Peek("OggS"))
        return false;
    reader.Skip(4);
    reader.U8(); // version
    page.Offset = offset;
    page.Flags = reader.U8();
    page.Granule = reader.U64LE();
    page.Serial = reader.U32LE();
    page.Sequence = reader.U32LE();
    reader.U32LE(); // checksum, not verified: lengths are checked instead
    page.SegmentCount = reader.U8();
    const auto lacing = reader.Bytes(page.SegmentCount);
    if (!reader.Ok())
        return false;
    page.BodyLength = 0;
    for (size_t i = 0; i < lacing.size(); ++i) {
        page.Lacing[i] = lacing[i];
        page.BodyLength += lacing[i];
    }
    return true;
}

bool ReadOggPage(const CByteSource& source, uint64_t offset, OggPage& page) {
    std::array<uint8_t, OggPage::MaxHeaderSize> header{};
    const size_t count = source.ReadAt(offset, header);
    return ParseOggPage(std::span(header).first(count), offset, page);
}

} // namespace torvane
