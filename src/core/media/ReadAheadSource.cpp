#include "ReadAheadSource.h"

#include <algorithm>
#include <cstring>

namespace torvane {

CReadAheadSource::CReadAheadSource(const CByteSource& inner, size_t blockSize)
    : m_Inner(inner), m_BlockSize(blockSize) {}

bool CReadAheadSource::Holds(uint64_t offset, size_t count) const {
    return offset >= m_BlockStart && offset - m_BlockStart <= m_Block.size() &&
           count <= m_Block.size() - (offset - m_BlockStart);
}

std::span<const uint8_t> CReadAheadSource::Load(uint64_t offset, size_t count) const {
    m_BlockStart = offset;
    m_Block = m_Inner.Read(offset, count);
    return m_Block;
}

size_t CReadAheadSource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    if (!Holds(offset, out.size())) {
        if (out.size() >= m_BlockSize)
            return m_Inner.ReadAt(offset, out);
        Load(offset, m_BlockSize);
    }
    // The block now starts at or before offset; it is short only at the end of the data.
    const size_t start = static_cast<size_t>(offset - m_BlockStart);
    const size_t count = std::min(out.size(), m_Block.size() - start);
    if (count > 0)
        std::memcpy(out.data(), m_Block.data() + start, count);
    return count;
}

} // namespace torvane
