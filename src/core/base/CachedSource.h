#pragma once

#include "core/base/ByteSource.h"

#include <array>
#include <vector>

namespace torvane {

// Serves small reads of another source from one block kept in memory, so that a parser walking
// headers a few bytes at a time issues one system call per block, not one per field. The first
// block is 4 KB, where most files say all a reader needs; later blocks are larger. Reads larger
// than a block go straight to the inner source. Not for use from several threads.
class CCachedSource final : public CByteSource {
public:
    static constexpr size_t FirstBlockSize = 4 * 1024;
    static constexpr size_t DefaultBlockSize = 8 * 1024;

    explicit CCachedSource(const CByteSource& inner, size_t blockSize = DefaultBlockSize)
        : m_Inner(inner), m_BlockSize(blockSize) {}
    CCachedSource(const CCachedSource&) = delete;
    CCachedSource& operator=(const CCachedSource&) = delete;

    uint64_t Size() const override { return m_Inner.Size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override;

    // Reads up to count bytes from offset into the block, in place of what it held, and
    // answers them (fewer at the end of the data); later reads inside them are served from it.
    std::span<const uint8_t> Load(uint64_t offset, size_t count) const;

private:
    bool Holds(uint64_t offset, size_t count) const;

    const CByteSource& m_Inner;
    size_t m_BlockSize;
    // The block: in m_Inline when it fits (no allocation for each file read), else in m_Heap.
    mutable std::array<uint8_t, DefaultBlockSize> m_Inline;
    mutable std::vector<uint8_t> m_Heap;
    mutable std::span<const uint8_t> m_Block;
    mutable uint64_t m_BlockStart = 0;
    mutable bool m_Loaded = false; // a block was read: the next is a full one
};

} // namespace torvane
