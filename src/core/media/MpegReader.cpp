#include "MpegReader.h"

#include "FileSource.h"

namespace torvane {

MpegInfo CMpegReader::Read(const std::string& path) const {
    CFileSource file(path);
    if (!file.IsOpen())
        return {};
    return Read(file);
}

MpegInfo CMpegReader::Read(const CByteSource& source) const {
    MpegInfo info;
    info.FileLength = static_cast<int64_t>(source.Size());
    return info;
}

} // namespace torvane
