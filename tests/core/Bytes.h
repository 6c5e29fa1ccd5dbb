#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
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
    CBytes& U64LE(uint64_t value) { return Little(value, 8); }
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
    CBytes& Append(std::span<const uint8_t> bytes) {
        m_Data.insert(m_Data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    CBytes& Append(const CBytes& other) { return Append(other.m_Data); }
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
    CBytes& Little(uint64_t value, int width) {
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

} // namespace torvane::test
