#include "core/listops/FolderSearch.h"

#include "core/base/FolderListing.h"
#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/UiHost.h"

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

class CFolderSearch {
public:
    CFolderSearch(CTorvaneDoc& doc, const SearchRequest& request, CProgress& progress)
        : m_Doc(doc), m_Request(request), m_Progress(progress) {}

    // Every entry in name order, hidden ones too; each subfolder at once, unless it is already
    // on the way down (a link back up would recurse without end). Each entry takes an equal
    // share of the folder's span of the bar.
    void Search(const std::string& folder, double start, double span) {
        if (!m_Chain.Enter(folder))
            return;
        std::vector<FolderEntry> entries;
        ListFolder(folder, entries);
        const double step = entries.empty() ? 0 : span / static_cast<double>(entries.size());
        for (const FolderEntry& entry : entries) {
            if (m_Progress.IsCancelled())
                break;
            m_Progress.SetPos(static_cast<int>(start));
            const std::string path = JoinPath(folder, entry.Name);
            if (entry.IsFolder)
                Search(path, start, step);
            else
                Consider(path);
            start += step;
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
            Passes(m_Request, path, st.st_size) &&
            m_Doc.AddFile(path, m_Request.useExtension, PathText::Exact))
            ++m_Added;
    }

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
    search.Search(folder, 0, CProgress::Upper);
    progress->Close();
    doc.Host().SetWaitCursor(false);
    return search.Added();
}

} // namespace torvane
