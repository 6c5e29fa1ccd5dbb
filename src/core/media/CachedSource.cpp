#include "CachedSource.h"

#include <algorithm>
#include <cstring>

namespace torvane {

bool CCachedSource::Holds(uint64_t offset, size_t count) const {
    return offset >= m_BlockStart && offset - m_BlockStart <= m_Block.size() &&
           count <= m_Block.size() - (offset - m_BlockStart);
}

size_t CCachedSource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    const uint64_t size = Size();
    if (offset >= size || out.empty())
        return 0;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(out.size(), size - offset));
    if (wanted > m_BlockSize)
        return m_Inner.ReadAt(offset, out.first(wanted));
    if (!Holds(offset, wanted)) {
        m_Block.resize(static_cast<size_t>(std::min<uint64_t>(m_BlockSize, size - offset)));
        m_Block.resize(m_Inner.ReadAt(offset, m_Block));
        m_BlockStart = offset;
    }
    const size_t count =
        std::min(wanted, m_Block.size() - static_cast<size_t>(offset - m_BlockStart));
    if (count > 0)
        std::memcpy(out.data(), m_Block.data() + (offset - m_BlockStart), count);
    return count;
}

} // namespace torvane
