#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace torvane {

// Random-access bytes of one file or of a buffer. Readers parse from this, so tests and fuzzers
// hand them bytes in memory and the program hands them a file.
class CByteSource {
public:
    virtual ~CByteSource() = default;

    virtual uint64_t Size() const = 0;

    // Copies up to out.size() bytes starting at offset; answers how many were copied (fewer at
    // the end of the data, 0 past it or on a read error).
    virtual size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const = 0;

    // Up to count bytes from offset; shorter at the end of the data.
    std::vector<uint8_t> Read(uint64_t offset, size_t count) const;
};

// Bytes held by the caller; the span must outlive the source.
class CMemorySource final : public CByteSource {
public:
    explicit CMemorySource(std::span<const uint8_t> bytes) : m_Bytes(bytes) {}

    uint64_t Size() const override { return m_Bytes.size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override;

private:
    std::span<const uint8_t> m_Bytes;
};

} // namespace torvane
