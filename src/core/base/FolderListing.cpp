#include "core/base/FolderListing.h"

#include "core/base/OffThread.h"
#include "core/base/Paths.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace torvane {

namespace {

// The listing's own type answers for plain files and folders; only symbolic links and file
// systems that give no type cost a stat.
bool IsFolderEntry(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    return KindOf(JoinPath(folder, entry.d_name)) == PathKind::Folder;
}

} // namespace

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    BeforeStorageCall(folder.c_str());
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back({std::string(name), IsFolderEntry(folder, *entry)});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    return true;
}

bool CVisitChain::Identify(const std::string& path, FolderId& id) {
    BeforeStorageCall(path.c_str());
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

bool CVisitChain::Enter(const std::string& path) {
    FolderId id;
    return Identify(path, id) && Enter(id);
}

bool CVisitChain::Enter(FolderId id) {
    if (std::find(m_Ids.begin(), m_Ids.end(), id) != m_Ids.end())
        return false;
    m_Ids.push_back(id);
    return true;
}

} // namespace torvane
