#pragma once

#include "ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace torvane {

// Serves the many small reads of a header walk from one block read ahead of them, so parsing
// a run of small structures costs one read of the underlying file instead of one per field.
// Reads larger than a block go straight through.
class CReadAheadSource final : public CByteSource {
public:
    CReadAheadSource(const CByteSource& inner, size_t blockSize);

    uint64_t Size() const override { return m_Inner.Size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override;

    // Reads up to count bytes from offset into the block (replacing what it held) and answers
    // them; shorter at the end of the data. Later reads inside this range are served from it.
    std::span<const uint8_t> Load(uint64_t offset, size_t count) const;

private:
    bool Holds(uint64_t offset, size_t count) const;

    const CByteSource& m_Inner;
    size_t m_BlockSize;
    // The block is filled on demand by const reads: the source is used by one reader at a time.
    mutable std::vector<uint8_t> m_Block;
    mutable uint64_t m_BlockStart = 0;
};

} // namespace torvane
