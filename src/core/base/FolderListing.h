#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace torvane {

struct FolderEntry {
    std::string Name;
    bool IsFolder = false; // a folder or a symbolic link to one
};

// The entries of a folder except "." and "..", sorted by name in byte order, so that every
// scan of the same tree gives the same order. False when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// Names starting with "." are hidden.
inline bool IsHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

// The folders on the path being scanned (or the list files being read, one inside another), by
// device and inode: one already on the chain, reached again through a symbolic link or a list
// naming itself, is not entered, so a loop cannot recurse without end.
class CVisitChain {
public:
    using FolderId = std::pair<dev_t, ino_t>;
    // Enters path; false when it is already on the chain or cannot be examined.
    bool Enter(const std::string& path);
    // The same for a path whose device and inode Identify found.
    bool Enter(FolderId id);
    // The device and inode of path; false when it cannot be examined.
    static bool Identify(const std::string& path, FolderId& id);
    void Leave() { m_Ids.pop_back(); }
    // The device and inode of the path entered last.
    std::pair<dev_t, ino_t> Innermost() const { return m_Ids.back(); }

private:
    std::vector<std::pair<dev_t, ino_t>> m_Ids;
};

} // namespace torvane
