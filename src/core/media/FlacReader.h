#pragma once

#include "core/media/AudioReader.h"

namespace torvane {

// Reads a native FLAC file: STREAMINFO for the sampling rate and the time, the VORBIS_COMMENT
// block for the tags, the bytes after the metadata blocks for the average bit rate. ID3v2 tags
// written in front of "fLaC" are skipped. FLAC in an Ogg stream is read too.
class CFlacReader final : public CAudioReader {
public:
    using CAudioReader::Read;
    bool Read(const CByteSource& source, AudioInfo& info) const override;
};

} // namespace torvane
