#pragma once

#include "core/base/ByteSource.h"
#include "core/media/WmaInfo.h"

#include <string>

namespace torvane {

// Reads the attributes, duration and first codec of a Windows Media (ASF) file from its
// header objects.
class CWmaReader {
public:
    // False when the file cannot be opened or is no ASF file.
    bool Read(const std::string& path, WmaInfo& info) const;
    bool Read(const CByteSource& source, WmaInfo& info) const;
};

} // namespace torvane
