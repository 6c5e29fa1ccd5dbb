#pragma once

#include "core/base/ByteSource.h"
#include "core/media/OggInfo.h"

#include <string>

namespace torvane {

// Reads the Vorbis identification and comment headers and the playing time of an Ogg file.
class COggReader {
public:
    // False only when the file cannot be opened; any content counts as read.
    bool Read(const std::string& path, OggInfo& info) const;
    bool Read(const CByteSource& source, OggInfo& info) const;
};

} // namespace torvane
