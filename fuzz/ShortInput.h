#pragma once

#include "core/base/ByteSource.h"
#include "core/base/ShortReadSource.h"

#include <cstddef>
#include <cstdint>
#include <span>

// The file a reader target reads: the input after its first two bytes, read through a source
// whose reads come up short as those two bytes choose (CShortReadSource::PatternOf), so the
// fuzzer explores files that shrink while they are read and reads that fail part of the way.
// scripts/fuzz puts two zero bytes (every read whole) in front of the files it seeds with.
class CShortInput {
public:
    CShortInput(const uint8_t* data, size_t size)
        : m_File(size < 2 ? std::span<const uint8_t>() : std::span(data + 2, size - 2)),
          m_Source(m_File, torvane::CShortReadSource::PatternOf(
                               size < 2 ? 0 : data[0], size < 2 ? 0 : data[1], m_File.Size())) {}

    const torvane::CByteSource& Source() const { return m_Source; }

private:
    torvane::CMemorySource m_File;
    torvane::CShortReadSource m_Source;
};
