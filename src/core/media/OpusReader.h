#pragma once

#include "core/media/AudioReader.h"

namespace torvane {

// Reads an Ogg Opus file: the OpusHead packet (the input sampling rate, the pre-skip), the
// OpusTags comments, the time from the last granule position at 48 kHz less the pre-skip and
// the average bit rate of the audio pages (the bytes after the header packets) over that
// time.
class COpusReader final : public CAudioReader {
public:
    using CAudioReader::Read;
    // False when the first packet is not an OpusHead.
    bool Read(const CByteSource& source, AudioInfo& info) const override;
};

} // namespace torvane
