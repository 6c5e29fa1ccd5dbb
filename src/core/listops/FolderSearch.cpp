#include "core/listops/FolderSearch.h"

#include "core/base/FolderListing.h"
#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/UiHost.h"

#include <memory>
#include <optional>
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
    const std::string_view text =
        request.target == SearchTarget::FileName ? NameOf(path) : std::string_view(path);
    if (!MatchTerms(text, request.terms, request.exclude))
        return false;
    if (request.useSize && request.sizeKB > 0) {
        const int64_t bound = int64_t{request.sizeKB} * 1000;
        if (request.sizeAtMost == Bound::AtMost ? size > bound : size < bound)
            return false;
    }
    return true;
}

// What the search learns of a folder from storage, in one call: where it is (device and inode),
// whether it may be entered (it is not on the way down), its entries, and the size of each entry
// that is a regular file (a dangling link, a device or a pipe is no track).
struct SearchedFolder {
    CVisitChain::FolderId Id;
    bool Enterable = false;
    std::vector<FolderEntry> Entries;
    std::vector<std::optional<int64_t>> FileSizes; // one for each entry
};

void Examine(const std::string& folder, CVisitChain chain, SearchedFolder& facts) {
    facts.Enterable = CVisitChain::Identify(folder, facts.Id) && chain.Enter(facts.Id);
    if (!facts.Enterable)
        return;
    ListFolder(folder, facts.Entries);
    facts.FileSizes.resize(facts.Entries.size());
    for (size_t i = 0; i < facts.Entries.size(); ++i) {
        struct stat st {};
        const std::string path = JoinPath(folder, facts.Entries[i].Name);
        if (!facts.Entries[i].IsFolder && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            facts.FileSizes[i] = st.st_size;
    }
}

class CFolderSearch {
public:
    CFolderSearch(CTorvaneDoc& doc, const SearchRequest& request, CProgress& progress)
        : m_Doc(doc), m_Request(request), m_Progress(progress) {}

    // Every entry in name order, hidden ones too; each subfolder at once, unless it is already
    // on the way down (a link back up would recurse without end). Each entry takes an equal
    // share of the folder's span of the bar. What storage tells of a folder is asked in one
    // call, off the window's thread while its progress shows (a cancel ends the wait).
    void Search(const std::string& folder, double start, double span) {
        // Owned by the call: when the wait is given up, it finishes on its thread later.
        const auto facts = std::make_shared<SearchedFolder>();
        if (!m_Doc.Await([folder, chain = m_Chain, facts] { Examine(folder, chain, *facts); }) ||
            !facts->Enterable || !m_Chain.Enter(facts->Id))
            return;
        const std::vector<FolderEntry>& entries = facts->Entries;
        const double step = entries.empty() ? 0 : span / static_cast<double>(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            if (m_Progress.IsCancelled())
                break;
            m_Progress.SetPos(static_cast<int>(start));
            const std::string path = JoinPath(folder, entries[i].Name);
            if (entries[i].IsFolder)
                Search(path, start, step);
            else if (facts->FileSizes[i] && Passes(m_Request, path, *facts->FileSizes[i]) &&
                     m_Doc.AddFile(path, m_Request.useExtension, PathText::Exact))
                ++m_Added;
            start += step;
        }
        m_Doc.UpdateItemCount();
        m_Chain.Leave();
    }

    int Added() const { return m_Added; }

private:
    CTorvaneDoc& m_Doc;
    const SearchRequest& m_Request;
    CProgress& m_Progress;
    CVisitChain m_Chain;
    int m_Added = 0;
};

} // namespace

int SearchFolder(CTorvaneDoc& doc, const SearchRequest& request, const std::string& folder) {
    if (KindOf(folder) != PathKind::Folder)
        return 0;
    doc.Host().SetWaitCursor(true);
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    CFolderSearch search(doc, request, *progress);
    {
        const CTorvaneDoc::CStorageWait wait(doc, *progress);
        search.Search(folder, 0, CProgress::Upper);
    }
    progress->Close();
    doc.Host().SetWaitCursor(false);
    return search.Added();
}

} // namespace torvane
