#pragma once

#include "core/base/ByteSource.h"
#include "core/media/OggPage.h"

#include <cstdint>
#include <string>

namespace torvane {

// Reads the packet that begins at the start of a page body, following it over the pages that
// continue it (same stream, next sequence number, "continued" flag). Bytes are read only when
// asked for; skipped bytes are never read, so a packet holding a large picture costs only the
// headers of its pages.
class COggPacketReader {
public:
    // Continuation pages followed at most; more means a broken or hostile file.
    static constexpr uint32_t MaxPages = 1u << 16;

    COggPacketReader(const CByteSource& source, const OggPage& first);

    // Appends count bytes to out; false (with fewer appended) when the packet or the data
    // ends first.
    bool Read(uint64_t count, std::string& out);
    bool Skip(uint64_t count);
    // False when the packet ends before the four bytes.
    bool U32LE(uint32_t& value);

private:
    bool Take(uint64_t count, std::string* out);
    bool NextPage();
    void EnterPage(const OggPage& page);

    const CByteSource& m_Source;
    OggPage m_Page;
    uint64_t m_Offset = 0;   // file offset of the next byte of the packet
    uint64_t m_PartLeft = 0; // bytes of the packet left on the current page
    bool m_EndsHere = false; // the packet ends on the current page
    uint32_t m_Pages = 0;
};

} // namespace torvane
