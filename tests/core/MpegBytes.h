#pragma once

#include "core/media/ByteSource.h"
#include "core/media/MpegInfo.h"
#include "core/media/MpegReader.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace torvane::test {

// Builds the bytes of an audio file in memory.
class CBytes {
public:
    CBytes& Text(std::string_view text) {
        m_Data.insert(m_Data.end(), text.begin(), text.end());
        return *this;
    }
    CBytes& U8(uint8_t value) {
        m_Data.push_back(value);
        return *this;
    }
    CBytes& U16LE(uint16_t value) { return Little(value, 2); }
    CBytes& U32LE(uint32_t value) { return Little(value, 4); }
    CBytes& U16BE(uint16_t value) { return Big(value, 2); }
    CBytes& U24BE(uint32_t value) { return Big(value, 3); }
    CBytes& U32BE(uint32_t value) { return Big(value, 4); }
    CBytes& Synchsafe(uint32_t value) {
        return U8((value >> 21) & 0x7F)
            .U8((value >> 14) & 0x7F)
            .U8((value >> 7) & 0x7F)
            .U8(value & 0x7F);
    }
    CBytes& Fill(size_t count, uint8_t value = 0) {
        m_Data.insert(m_Data.end(), count, value);
        return *this;
    }
    CBytes& Append(const CBytes& other) {
        m_Data.insert(m_Data.end(), other.m_Data.begin(), other.m_Data.end());
        return *this;
    }
    // Zero bytes up to a total length.
    CBytes& PadTo(size_t length) {
        if (m_Data.size() < length)
            m_Data.resize(length);
        return *this;
    }

    size_t Size() const { return m_Data.size(); }
    std::vector<uint8_t>& Data() { return m_Data; }
    const std::vector<uint8_t>& Data() const { return m_Data; }

private:
    CBytes& Little(uint32_t value, int width) {
        for (int i = 0; i < width; ++i)
            m_Data.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }
    CBytes& Big(uint32_t value, int width) {
        for (int i = width - 1; i >= 0; --i)
            m_Data.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }

    std::vector<uint8_t> m_Data;
};

// A frame header from its fields: version bits (3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved),
// layer bits (3 Layer I, 2 Layer II, 1 Layer III), bit-rate and sampling-rate index, whether a
// CRC follows and the channel mode (3 single channel).
constexpr uint32_t FrameHeader(uint32_t version, uint32_t layer, uint32_t bitRate,
                               uint32_t samplingRate, bool crc = false, uint32_t mode = 0) {
    return 0xFFE00000u | version << 19 | layer << 17 | (crc ? 0u : 1u) << 16 | bitRate << 12 |
           samplingRate << 10 | mode << 6;
}

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, stereo.
constexpr uint32_t Mpeg1Layer3 = FrameHeader(3, 1, 9, 0);

// A frame header followed by zero bytes up to frameLength.
inline CBytes Frame(uint32_t header, size_t frameLength = 418) {
    return CBytes().U32BE(header).PadTo(frameLength);
}

inline MpegInfo ReadBytes(const CBytes& bytes, const CTextCodec& codec = CTextCodec("CP932")) {
    const CMemorySource source(bytes.Data());
    return CMpegReader(codec).Read(source);
}

} // namespace torvane::test
