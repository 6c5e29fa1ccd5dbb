#pragma once

#include "core/media/AudioReader.h"

namespace torvane {

// Reads the Vorbis identification and comment headers and the playing time of an Ogg file.
// Any content counts as read: what was not found stays empty (the track number "0").
class COggReader final : public CAudioReader {
public:
    using CAudioReader::Read;
    // False only when the file cannot be opened (the path's Read).
    bool Read(const CByteSource& source, AudioInfo& info) const override;
};

// Puts the facts a Vorbis stream gave, however far the reading came, into the record's terms:
// the track number as its leading decimal number ("0" without one), the nominal bit rate in
// kbit/s, the standard set and the type "OggVorbis".
void FinishVorbisInfo(AudioInfo& info);

} // namespace torvane
