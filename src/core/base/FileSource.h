#pragma once

#include "core/base/ByteSource.h"

#include <string>

namespace torvane {

// A file opened read-only; reads are positioned (pread), so the source keeps no cursor.
class CFileSource final : public CByteSource {
public:
    explicit CFileSource(const std::string& path);
    // A regular file someone else opened and will close, of size bytes.
    CFileSource(int openDescriptor, uint64_t size)
        : m_Fd(openDescriptor), m_Size(size), m_Owns(false) {}
    ~CFileSource() override;
    CFileSource(const CFileSource&) = delete;
    CFileSource& operator=(const CFileSource&) = delete;

    bool IsOpen() const { return m_Fd >= 0; }
    uint64_t Size() const override { return m_Size; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) const override;

private:
    int m_Fd = -1;
    uint64_t m_Size = 0;
    bool m_Owns = true;
};

} // namespace torvane
