#include "OggReader.h"

#include "FileSource.h"

namespace torvane {

bool COggReader::Read(const std::string& path, OggInfo& info) const {
    CFileSource file(path);
    if (!file.IsOpen()) {
        info = {};
        return false;
    }
    const bool ok = Read(file, info);
    info.Path = path;
    return ok;
}

bool COggReader::Read(const CByteSource&, OggInfo& info) const {
    info = {};
    return false;
}

} // namespace torvane
