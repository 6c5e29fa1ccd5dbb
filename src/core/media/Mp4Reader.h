#pragma once

#include "core/media/AudioReader.h"

namespace torvane {

// Reads an MP4 / M4A file (AAC or ALAC): the time from the sound track's media header (or the
// movie header), the codec and sampling rate from its sample description, the bit rate from
// the decoder configuration or as the average of the media data over the time, and the iTunes
// item list of udta/meta/ilst. The movie atom may stand before or after the media data.
class CMp4Reader final : public CAudioReader {
public:
    using CAudioReader::Read;
    // False when the file holds neither "ftyp" nor "moov" at its top level.
    bool Read(const CByteSource& source, AudioInfo& info) const override;
};

} // namespace torvane
