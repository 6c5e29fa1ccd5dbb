#include "core/media/OggPage.h"

#include "core/base/ByteReader.h"

#include <algorithm>
#include <string_view>

namespace torvane {
namespace {

// The last page is looked for in the last FirstTailWindow bytes, then in windows four times
// larger up to MaxTailWindow; past that the pages are walked from the start. Encoders close a
// page at about 4 KB, and the last one is mostly shorter, so the first window mostly holds it.
constexpr uint64_t FirstTailWindow = 4 * 1024;
constexpr uint64_t MaxTailWindow = 1024 * 1024;
// Pages the walk from the start passes at most: a stream of short pages (or a crafted one)
// would otherwise be walked page by page to its end.
constexpr uint32_t MaxWalkedPages = 1u << 16;

// Walks the pages from offset by their lengths to the first page flagged as the last one and
// answers its granule position. A page body of length 0 before it, or a page that is not where
// the lengths say, ends the walk without one.
std::optional<uint64_t> WalkToLastPage(const CByteSource& source, uint64_t offset) {
    OggPage page;
    // Each step moves past a whole header and a non-empty body, so the walk ends.
    for (uint32_t i = 0; i < MaxWalkedPages && ReadOggPage(source, offset, page); ++i) {
        if (page.Has(OggPage::LastPage))
            return page.Granule;
        if (page.BodyLength == 0)
            break;
        offset = page.End();
    }
    return std::nullopt;
}

// The offset of the first page of the stream in the last window bytes of the file.
std::optional<uint64_t> FindPageInTail(const CCachedSource& source, uint64_t window,
                                       uint32_t serial) {
    const uint64_t start = source.Size() - window;
    const auto bytes = source.Load(start, static_cast<size_t>(window));
    const std::string_view text = AsText(bytes);
    OggPage page;
    for (size_t at = text.find("OggS"); at != std::string_view::npos;
         at = text.find("OggS", at + 1)) {
        // The serial number makes a capture pattern that happens to stand in audio data
        // count as a page only by a chance of one in four thousand million. It also keeps
        // the search off a later stream chained to this one, whose last page the walk from
        // the start would not reach.
        if (ParseOggPage(bytes.subspan(at), start + at, page) && page.Serial == serial)
            return start + at;
    }
    return std::nullopt;
}

} // namespace

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

// The granule position of the last page, as the walk over every page from the start finds it.
// The walk is taken up at the first page of the stream found near the end of the file, so a
// long file is not read whole; when the stream has no page there, the walk starts at the
// beginning.
bool FirstPacketStartsWith(const CByteSource& source, std::string_view signature) {
    OggPage first;
    if (!ReadOggPage(source, 0, first) || first.FirstPacketPart().Length < signature.size())
        return false;
    const auto bytes = source.Read(first.BodyOffset(), signature.size());
    return AsText(bytes) == signature;
}

std::optional<uint64_t> FindLastGranule(const CCachedSource& source, uint32_t serial) {
    for (uint64_t window = FirstTailWindow; window < source.Size() && window <= MaxTailWindow;
         window *= 4) {
        if (const auto page = FindPageInTail(source, window, serial))
            return WalkToLastPage(source, *page);
    }
    return WalkToLastPage(source, 0);
}

uint64_t PacketPagesEnd(const CByteSource& source, const OggPage& page, uint32_t* budget) {
    // Continuation pages followed at most, as the packet reader does.
    constexpr uint32_t MaxPages = 1u << 16;
    const uint32_t limit = budget ? std::min(*budget, MaxPages) : MaxPages;
    OggPage last = page;
    for (uint32_t i = 0; i < limit; ++i) {
        if (budget)
            --*budget;
        OggPage next;
        if (!ReadOggPage(source, last.End(), next) || next.Serial != page.Serial ||
            !next.Has(OggPage::Continued))
            break;
        last = next;
    }
    return last.End();
}

} // namespace torvane
