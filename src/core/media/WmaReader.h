#pragma once

#include "core/media/AudioReader.h"

namespace torvane {

// Reads the attributes, duration and first codec of a Windows Media (ASF) file from its
// header objects. The rates are shown as the codec describes them ("128 kbit", "44000 Hz").
class CWmaReader final : public CAudioReader {
public:
    using CAudioReader::Read;
    // False when the data is no ASF file.
    bool Read(const CByteSource& source, AudioInfo& info) const override;
};

// Puts the facts an ASF header gave into the record's terms: the rates as the leading numbers
// of their texts (which are shown as they are), the standard set, and the texts that must not
// replace the record's marked kept (those beginning with "?", a track text that is empty or
// begins with "0").
void FinishWmaInfo(AudioInfo& info);

} // namespace torvane
