#pragma once

#include "core/base/ByteSource.h"
#include "core/media/AudioInfo.h"

#include <cstdint>
#include <string>

namespace torvane {

// The shape every reader shares: Read fills an AudioInfo from a file or from bytes in memory
// and answers false when the data is not of its format (then the caller keeps what the record
// held). Readers never throw on any content and never read past the data; the reader table
// (ReaderTable.h) says which one takes a file.
class CAudioReader {
public:
    virtual ~CAudioReader() = default;

    // False when the file is not of the reader's format, or cannot be opened and the reader
    // does not read such a file as an empty one.
    bool Read(const std::string& path, AudioInfo& info) const;
    virtual bool Read(const CByteSource& source, AudioInfo& info) const = 0;

    // What a file that cannot be opened gives: by default nothing (false); a reader that takes
    // it for an empty file reads no bytes into info.
    bool ReadUnopened(AudioInfo& info) const;

protected:
    virtual bool ReadsUnopenedAsEmpty() const { return false; }
};

// Whole seconds of samples at rate, truncated; 0 without a rate.
int32_t SecondsOf(uint64_t samples, uint64_t rate);

// kbit/s of bytes played over samples at rate, truncated; 0 without a time.
int32_t AverageKbit(uint64_t bytes, uint64_t samples, uint64_t rate);

} // namespace torvane
