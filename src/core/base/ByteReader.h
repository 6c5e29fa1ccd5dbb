#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace torvane {

// Bytes seen as characters, without a copy.
inline std::string_view AsText(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A cursor over a byte span with checked reads: a read past the end answers 0 (or an empty
// span), moves the cursor to the end and clears Ok() for good, so a parser can read a whole
// structure and test Ok() once. Lengths are compared by subtraction, never by adding to the
// position, so no malformed length can overflow.
class CByteReader {
public:
    explicit CByteReader(std::span<const uint8_t> bytes) : m_Bytes(bytes) {}

    bool Ok() const { return m_Ok; }
    size_t Remaining() const { return m_Bytes.size() - m_Pos; }

    bool Seek(size_t position) {
        if (position > m_Bytes.size())
            return Fail();
        m_Pos = position;
        return true;
    }
    bool Skip(uint64_t count) {
        if (count > Remaining())
            return Fail();
        m_Pos += static_cast<size_t>(count);
        return true;
    }

    std::span<const uint8_t> Bytes(uint64_t count) {
        if (count > Remaining()) {
            Fail();
            return {};
        }
        auto out = m_Bytes.subspan(m_Pos, static_cast<size_t>(count));
        m_Pos += static_cast<size_t>(count);
        return out;
    }
    std::string_view Text(uint64_t count) { return AsText(Bytes(count)); }
    // True when the next bytes equal text; the cursor does not move.
    bool Peek(std::string_view text) const {
        return text.size() <= Remaining() && AsText(m_Bytes.subspan(m_Pos, text.size())) == text;
    }

    uint8_t U8() { return static_cast<uint8_t>(Unsigned(1, false)); }
    uint16_t U16LE() { return static_cast<uint16_t>(Unsigned(2, false)); }
    uint16_t U16BE() { return static_cast<uint16_t>(Unsigned(2, true)); }
    uint32_t U24BE() { return static_cast<uint32_t>(Unsigned(3, true)); }
    uint32_t U32LE() { return static_cast<uint32_t>(Unsigned(4, false)); }
    uint32_t U32BE() { return static_cast<uint32_t>(Unsigned(4, true)); }
    uint64_t U64LE() { return Unsigned(8, false); }
    uint64_t U64BE() { return Unsigned(8, true); }

private:
    bool Fail() {
        m_Ok = false;
        m_Pos = m_Bytes.size();
        return false;
    }
    uint64_t Unsigned(size_t width, bool bigEndian) {
        auto bytes = Bytes(width);
        if (bytes.size() != width)
            return 0;
        uint64_t value = 0;
        for (size_t i = 0; i < width; ++i) {
            const size_t index = bigEndian ? i : width - 1 - i;
            value = (value << 8) | bytes[index];
        }
        return value;
    }

    std::span<const uint8_t> m_Bytes;
    size_t m_Pos = 0;
    bool m_Ok = true;
};

} // namespace torvane
