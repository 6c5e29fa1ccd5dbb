#include "core/base/CachedSource.h"

#include <algorithm>
#include <cstring>

namespace torvane {

bool CCachedSource::Holds(uint64_t offset, size_t count) const {
    return offset >= m_BlockStart && offset - m_BlockStart <= m_Block.size() &&
           count <= m_Block.size() - (offset - m_BlockStart);
}

std::span<const uint8_t> CCachedSource::Load(uint64_t offset, size_t count) const {
    const uint64_t size = Size();
    const size_t wanted =
        offset < size ? static_cast<size_t>(std::min<uint64_t>(count, size - offset)) : 0;
    std::span<uint8_t> block(m_Inline);
    if (wanted > m_Inline.size()) {
        m_Heap.resize(wanted);
        block = m_Heap;
    }
    m_Block = block.first(m_Inner.ReadAt(offset, block.first(wanted)));
    m_BlockStart = offset;
    return m_Block;
}

size_t CCachedSource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    const uint64_t size = Size();
    if (offset >= size || out.empty())
        return 0;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(out.size(), size - offset));
    if (wanted > m_BlockSize)
        return m_Inner.ReadAt(offset, out.first(wanted));
    if (!Holds(offset, wanted)) {
        const size_t block = m_Loaded ? m_BlockSize : std::min(FirstBlockSize, m_BlockSize);
        Load(offset, std::max(wanted, block));
        m_Loaded = true;
    }
    const size_t count =
        std::min(wanted, m_Block.size() - static_cast<size_t>(offset - m_BlockStart));
    if (count > 0)
        std::memcpy(out.data(), m_Block.data() + (offset - m_BlockStart), count);
    return count;
}

} // namespace torvane
