#pragma once

#include "core/base/ByteSource.h"
#include "core/base/TextCodec.h"
#include "core/media/MpegInfo.h"

#include <string>

namespace torvane {

// Reads ID3v1/ID3v2 tags, RIFF WAVE / RIFF MP3 containers and the first MPEG audio frame of
// an "mp3" or "wav" file, by its content, not its extension.
class CMpegReader {
public:
    explicit CMpegReader(const CTextCodec& codec) : m_Codec(codec) {}

    // A file that cannot be opened gives an all-zero result.
    MpegInfo Read(const std::string& path) const;
    MpegInfo Read(const CByteSource& source) const;

private:
    const CTextCodec& m_Codec;
};

} // namespace torvane
