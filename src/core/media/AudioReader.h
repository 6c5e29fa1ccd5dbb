#pragma once

#include "core/base/ByteSource.h"
#include "core/media/AudioInfo.h"

#include <cstdint>
#include <string>

namespace torvane {

// The shape every reader of the newer formats shares: Read fills an AudioInfo from a file or
// from bytes in memory and answers false when the data is not of its format (then the caller
// keeps what the record held). Readers never throw and never read past the data.
class CAudioReader {
public:
    virtual ~CAudioReader() = default;

    // False when the file cannot be opened or is not of the reader's format.
    bool Read(const std::string& path, AudioInfo& info) const;
    virtual bool Read(const CByteSource& source, AudioInfo& info) const = 0;
};

// Whole seconds of samples at rate, truncated; 0 without a rate.
int32_t SecondsOf(uint64_t samples, uint64_t rate);

// kbit/s of bytes played over samples at rate, truncated; 0 without a time.
int32_t AverageKbit(uint64_t bytes, uint64_t samples, uint64_t rate);

} // namespace torvane
