#include "FolderSearch.h"

#include "core/doc/FolderListing.h"
#include "core/doc/Paths.h"

#include <sys/stat.h>

namespace torvane {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

// The file name between the last separator and the last dot of the name.
std::string_view NameOf(std::string_view path) {
    const std::string_view name = LastComponent(path);
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

    // Every entry in name order, hidden ones too; each subfolder at once, unless it is already
    // on the way down (a link back up would recurse without end).
    void Search(const std::string& folder) {
        if (!m_Chain.Enter(folder))
            return;
        std::vector<FolderEntry> entries;
        ListFolder(folder, entries);
        for (const FolderEntry& entry : entries) {
            const std::string path = JoinPath(folder, entry.Name);
            if (entry.IsFolder)
                Search(path);
            else
                Consider(path);
        }
        m_Doc.UpdateItemCount();
        m_Chain.Leave();
    }

    int Added() const { return m_Added; }

private:
    // Regular files only: a dangling link, a device or a pipe is no track.
    void Consider(const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            Passes(m_Request, path, st.st_size) && m_Doc.AddFile(path, m_Request.useExtension))
            ++m_Added;
    }

    CTorvaneDoc& m_Doc;
    const SearchRequest& m_Request;
    CVisitChain m_Chain;
    int m_Added = 0;
};

} // namespace

int SearchFolder(CTorvaneDoc& doc, const SearchRequest& request, const std::string& folder) {
    if (KindOf(folder) != PathKind::Folder)
        return 0;
    CFolderSearch search(doc, request);
    search.Search(folder);
    return search.Added();
}

} // namespace torvane
