#include "FolderScan.h"

#include "FolderListing.h"
#include "Paths.h"
#include "Progress.h"
#include "TorvaneDoc.h"

#include "UiHost.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace torvane {
namespace {

// Folders linked to one another over and over would be scanned an exponential number of times.
constexpr uint64_t MaxRescannedEntries = 100000;

class CFolderScanner {
public:
    CFolderScanner(CTorvaneDoc& doc, CProgress& progress) : m_Doc(doc), m_Progress(progress) {}

    // next: the folder that will be scanned right after this one, when known.
    void Scan(const std::string& folder, int depth, double start, double span,
              const std::string& next = {}) {
        const int limit = m_Doc.Settings().SearchClass;
        if ((limit != 0 && depth > limit) || m_Progress.IsCancelled() || folder.empty())
            return;
        if (!m_Chain.Enter(folder))
            return;
        ScanEntries(folder, depth, start, span, next);
        m_Chain.Leave();
    }

private:
    // A folder's listing taken early, for the scan that comes next.
    struct Listing {
        std::string Folder;
        bool Listed = false;
        std::vector<FolderEntry> Entries;
    };

    void ScanEntries(const std::string& folder, int depth, double start, double span,
                     const std::string& next) {
        std::vector<FolderEntry> entries;
        if (!ListEntries(folder, entries) || !MayScan(entries.size()))
            return;
        std::erase_if(entries, [](const FolderEntry& e) { return IsHiddenName(e.Name); });
        // The listing's "." and ".." count as two more folders, as in the bar's share rule.
        const double n = static_cast<double>(entries.size() + 2);
        const double step = span / n;

        std::vector<std::string> files;
        bool hasFolders = false;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (m_Progress.IsCancelled())
                break;
            std::string path = JoinPath(folder, entries[i].Name);
            if (entries[i].IsFolder) {
                hasFolders = true;
                // The subfolder's progress does not flow back: this level goes on from its own.
                start += step;
                m_Progress.SetPos(static_cast<int>(start));
                const bool nextIsFolder = i + 1 < entries.size() && entries[i + 1].IsFolder;
                Scan(path, depth + 1, start, span / n,
                     nextIsFolder ? JoinPath(folder, entries[i + 1].Name) : std::string());
            } else {
                files.push_back(std::move(path));
            }
        }
        std::reverse(files.begin(), files.end());
        m_Doc.ExpectFiles(files, true);
        // While the files are read ahead, the folder scanned next is listed: the readers then
        // need not wait for its listing once these files are in.
        if (!hasFolders && !next.empty() && !files.empty() && m_Doc.ReadsAhead()) {
            m_Ahead.Folder = next;
            m_Ahead.Listed = ListFolder(next, m_Ahead.Entries);
        }
        for (auto it = files.begin(); it != files.end() && !m_Progress.IsCancelled(); ++it) {
            start += step;
            m_Progress.SetPos(static_cast<int>(start));
            m_Doc.AddFile(*it, true);
        }
        m_Doc.EndExpectedFiles();
    }

    // The listing of folder: the one taken early when it is folder's, else a fresh one.
    bool ListEntries(const std::string& folder, std::vector<FolderEntry>& entries) {
        Listing ahead = std::exchange(m_Ahead, {});
        if (ahead.Folder.empty() || ahead.Folder != folder)
            return ListFolder(folder, entries);
        entries = std::move(ahead.Entries);
        return ahead.Listed;
    }

    // False, with a message the first time, once folders scanned before in this scan have come
    // to MaxRescannedEntries.
    bool MayScan(size_t entryCount) {
        if (m_Scanned.insert(m_Chain.Innermost()).second)
            return true;
        m_RescannedEntries += entryCount;
        if (m_RescannedEntries <= MaxRescannedEntries)
            return true;
        if (!m_Warned)
            m_Doc.Host().ShowMessage(NestedFoldersMessage, "error", MessageButtons::Ok);
        m_Warned = true;
        return false;
    }

    CTorvaneDoc& m_Doc;
    CProgress& m_Progress;
    CVisitChain m_Chain;
    Listing m_Ahead;
    std::set<std::pair<dev_t, ino_t>> m_Scanned;
    uint64_t m_RescannedEntries = 0;
    bool m_Warned = false;
};

} // namespace

void ScanFolder(CTorvaneDoc& doc, const std::string& folder, CProgress& progress, double start,
                double span) {
    CFolderScanner(doc, progress).Scan(folder, 1, start, span);
}

} // namespace torvane
