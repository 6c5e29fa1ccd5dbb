#include "core/media/OggPacketReader.h"

#include "core/base/ByteReader.h"

#include <algorithm>

namespace torvane {

COggPacketReader::COggPacketReader(const CByteSource& source, const OggPage& first)
    : m_Source(source) {
    EnterPage(first);
}

void COggPacketReader::EnterPage(const OggPage& page) {
    m_Page = page;
    const OggPage::PacketPart part = page.FirstPacketPart();
    m_Offset = page.BodyOffset();
    m_PartLeft = part.Length;
    m_EndsHere = part.EndsHere;
}

bool COggPacketReader::NextPage() {
    if (m_EndsHere || ++m_Pages > MaxPages)
        return false;
    OggPage next;
    if (!ReadOggPage(m_Source, m_Page.End(), next) || next.Serial != m_Page.Serial ||
        next.Sequence != m_Page.Sequence + 1 || !next.Has(OggPage::Continued))
        return false;
    EnterPage(next);
    return true;
}

bool COggPacketReader::Take(uint64_t count, std::string* out) {
    while (count > 0) {
        if (m_PartLeft == 0 && !NextPage())
            return false;
        const uint64_t step = std::min(count, m_PartLeft);
        if (out) {
            // step is bounded by what the caller asked to keep.
            const size_t kept = out->size();
            out->resize(kept + static_cast<size_t>(step));
            const size_t got = m_Source.ReadAt(
                m_Offset, {reinterpret_cast<uint8_t*>(out->data()) + kept, out->size() - kept});
            if (got != step) {
                out->resize(kept + got);
                return false;
            }
        }
        m_Offset += step;
        m_PartLeft -= step;
        count -= step;
    }
    return true;
}

bool COggPacketReader::Read(uint64_t count, std::string& out) {
    return Take(count, &out);
}

bool COggPacketReader::Skip(uint64_t count) {
    return Take(count, nullptr);
}

bool COggPacketReader::U32LE(uint32_t& value) {
    std::string bytes;
    if (!Read(4, bytes))
        return false;
    CByteReader reader({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    value = reader.U32LE();
    return true;
}

} // namespace torvane
