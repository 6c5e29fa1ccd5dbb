#include "WmaReader.h"

#include "FileSource.h"

namespace torvane {

bool CWmaReader::Read(const std::string& path, WmaInfo& info) const {
    CFileSource file(path);
    if (!file.IsOpen())
        return false;
    const bool ok = Read(file, info);
    if (ok)
        info.Path = path;
    return ok;
}

bool CWmaReader::Read(const CByteSource&, WmaInfo&) const {
    return false;
}

} // namespace torvane
