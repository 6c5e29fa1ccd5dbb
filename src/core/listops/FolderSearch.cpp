#include "FolderSearch.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace torvane {
namespace {

struct FolderId {
    dev_t Device;
    ino_t Inode;
    bool operator==(const FolderId&) const = default;
};

// The entry names of a folder except "." and "..", in byte order (the order of the listings the
// program was first written for; readdir's own order is arbitrary). Empty when unreadable.
std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           LowerAscii(text.substr(text.size() - end.size())) == LowerAscii(end);
}

// The file name between the last separator and the last dot of the name.
std::string_view NameOf(std::string_view path) {
    std::string_view name = path.substr(path.rfind('/') + 1);
    return name.substr(0, name.rfind('.'));
}

bool Passes(const SearchRequest& request, const std::string& path, int64_t size) {
    if (request.useExtension && !request.extension.empty() &&
        !EndsWithIgnoringCase(path, request.extension))
        return false;
    const std::string_view text = request.target == 1 ? NameOf(path) : std::string_view(path);
    if (!MatchTerms(text, request.terms, request.exclude))
        return false;
    if (request.useSize && request.sizeKB > 0) {
        const int64_t bound = int64_t{request.sizeKB} * 1000;
        if (request.sizeAtMost ? size > bound : size < bound)
            return false;
    }
    return true;
}

class CFolderSearch {
public:
    CFolderSearch(CTorvaneDoc& doc, const SearchRequest& request)
        : m_Doc(doc), m_Request(request) {}

    void Search(const std::string& folder, const FolderId& id) {
        m_Path.push_back(id);
        const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
        for (const std::string& name : ListFolder(folder)) {
            const std::string path = prefix + name;
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0)
                continue; // a dangling link
            const FolderId entry{st.st_dev, st.st_ino};
            if (S_ISDIR(st.st_mode)) {
                // A link back to a folder on the way down would recurse without end.
                if (std::find(m_Path.begin(), m_Path.end(), entry) == m_Path.end())
                    Search(path, entry);
            } else if (S_ISREG(st.st_mode) && Passes(m_Request, path, st.st_size) &&
                       m_Doc.AddFile(path, m_Request.useExtension)) {
                ++m_Added;
            }
        }
        m_Doc.UpdateItemCount();
        m_Path.pop_back();
    }

    int Added() const { return m_Added; }

private:
    CTorvaneDoc& m_Doc;
    const SearchRequest& m_Request;
    std::vector<FolderId> m_Path;
    int m_Added = 0;
};

} // namespace

int SearchFolder(CTorvaneDoc& doc, const SearchRequest& request, const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return 0;
    CFolderSearch search(doc, request);
    search.Search(folder, {st.st_dev, st.st_ino});
    return search.Added();
}

} // namespace torvane
