#pragma once

#include "core/base/ByteSource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace torvane {

// Another source whose reads come up short, as a file's do when it shrinks while it is read or
// when a read fails part of the way: Size() still answers the inner source's size, but nothing
// at or past StopAt is ever read, and every Period-th read (counting from 1) copies only
// Fraction/16 of what it could. Readers are run over it by the tests and the fuzz targets, to
// show that they check what each read returned. Header-only: the program itself never makes one.
class CShortReadSource final : public CByteSource {
public:
    struct Pattern {
        uint64_t StopAt = std::numeric_limits<uint64_t>::max();
        uint32_t Period = 0;   // 0: no read is cut but by StopAt
        uint32_t Fraction = 0; // sixteenths of the bytes a cut read still copies (0..15)
    };

    CShortReadSource(const CByteSource& inner, Pattern pattern)
        : m_Inner(inner), m_Pattern(pattern) {}

    // The pattern chosen by two bytes (of a fuzz input): the first puts the stop at that many
    // 256ths of size (0: no stop), the second's low half picks the period (0: none), its high
    // half the fraction.
    static Pattern PatternOf(uint8_t stop, uint8_t cut, uint64_t size) {
        Pattern pattern;
        if (stop != 0)
            pattern.StopAt = size / 256 * stop + size % 256 * stop / 256;
        pattern.Period = cut & 0x0F;
        pattern.Fraction = cut >> 4;
        return pattern;
    }

    uint64_t Size() const override { return m_Inner.Size(); }

    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override {
        ++m_Reads;
        if (offset >= m_Pattern.StopAt)
            return 0;
        size_t count =
            static_cast<size_t>(std::min<uint64_t>(out.size(), m_Pattern.StopAt - offset));
        if (m_Pattern.Period != 0 && m_Reads % m_Pattern.Period == 0)
            count = count * m_Pattern.Fraction / 16;
        return m_Inner.ReadAt(offset, out.first(count));
    }

    uint64_t Reads() const { return m_Reads; }

private:
    const CByteSource& m_Inner;
    Pattern m_Pattern;
    mutable uint64_t m_Reads = 0;
};

} // namespace torvane
