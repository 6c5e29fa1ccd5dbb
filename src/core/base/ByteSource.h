#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace torvane {

// Bytes read from a source. The short reads of headers and fields are kept in the object itself
// and longer ones on the heap, so that reading a file's headers allocates nothing; the bytes are
// not cleared before they are read into.
class CReadBytes {
public:
    static constexpr size_t InlineBytes = 64;

    CReadBytes() = default;
    // Room for count bytes, none of them read yet.
    explicit CReadBytes(size_t count);
    CReadBytes(CReadBytes&& other) noexcept;
    CReadBytes& operator=(CReadBytes&& other) noexcept;
    CReadBytes(const CReadBytes&) = delete;
    CReadBytes& operator=(const CReadBytes&) = delete;

    const uint8_t* data() const { return m_Heap ? m_Heap.get() : m_Inline.data(); }
    uint8_t* data() { return m_Heap ? m_Heap.get() : m_Inline.data(); }
    size_t size() const { return m_Size; }
    bool empty() const { return m_Size == 0; }
    const uint8_t* begin() const { return data(); }
    const uint8_t* end() const { return data() + m_Size; }
    uint8_t operator[](size_t index) const { return data()[index]; }
    operator std::span<const uint8_t>() const { return {data(), m_Size}; }
    operator std::span<uint8_t>() { return {data(), m_Size}; }

    // Keeps only the first count bytes (count at most size()).
    void Truncate(size_t count) { m_Size = count; }

private:
    std::array<uint8_t, InlineBytes> m_Inline; // not cleared: only the bytes read are seen
    std::unique_ptr<uint8_t[]> m_Heap;
    size_t m_Size = 0;
};

// Random-access bytes of one file or of a buffer. Readers parse from this, so tests and fuzzers
// hand them bytes in memory and the program hands them a file.
class CByteSource {
public:
    virtual ~CByteSource() = default;

    virtual uint64_t Size() const = 0;

    // Copies up to out.size() bytes starting at offset; answers how many were copied (fewer at
    // the end of the data, 0 past it or on a read error). A file that shrank after it was
    // opened answers fewer than Size() promised, anywhere: a reader goes by what each read
    // returned, never by Size() alone (CShortReadSource makes such reads for the tests).
    virtual size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const = 0;

    // Up to count bytes from offset; shorter at the end of the data.
    CReadBytes Read(uint64_t offset, size_t count) const;
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

// A range of another source seen as a whole, so a reader of a tag at the start of its data
// reads one embedded in a chunk of a container. The range is cut to the inner source.
class CSliceSource final : public CByteSource {
public:
    CSliceSource(const CByteSource& inner, uint64_t offset, uint64_t size);

    uint64_t Size() const override { return m_Size; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override;

private:
    const CByteSource& m_Inner;
    uint64_t m_Offset;
    uint64_t m_Size;
};

} // namespace torvane
