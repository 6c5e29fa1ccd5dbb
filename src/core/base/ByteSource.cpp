#include "core/base/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace torvane {

CReadBytes::CReadBytes(size_t count) : m_Size(count) {
    if (count > InlineBytes)
        m_Heap = std::make_unique_for_overwrite<uint8_t[]>(count);
}

CReadBytes::CReadBytes(CReadBytes&& other) noexcept {
    *this = std::move(other);
}

CReadBytes& CReadBytes::operator=(CReadBytes&& other) noexcept {
    if (this == &other)
        return *this;
    m_Heap = std::move(other.m_Heap);
    m_Size = other.m_Size;
    if (!m_Heap)
        std::memcpy(m_Inline.data(), other.m_Inline.data(), m_Size);
    other.m_Size = 0;
    return *this;
}

CReadBytes CByteSource::Read(uint64_t offset, size_t count) const {
    if (offset >= Size())
        return {};
    count = static_cast<size_t>(std::min<uint64_t>(count, Size() - offset));
    CReadBytes bytes(count);
    bytes.Truncate(ReadAt(offset, bytes));
    return bytes;
}

size_t CMemorySource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    if (offset >= m_Bytes.size())
        return 0;
    const size_t count = std::min<size_t>(out.size(), m_Bytes.size() - offset);
    if (count > 0)
        std::memcpy(out.data(), m_Bytes.data() + offset, count);
    return count;
}

CSliceSource::CSliceSource(const CByteSource& inner, uint64_t offset, uint64_t size)
    : m_Inner(inner), m_Offset(std::min(offset, inner.Size())),
      m_Size(std::min(size, inner.Size() - m_Offset)) {}

size_t CSliceSource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    if (offset >= m_Size)
        return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), m_Size - offset));
    return m_Inner.ReadAt(m_Offset + offset, out.first(count));
}

} // namespace torvane
