#include "core/gather/FolderScan.h"

#include "core/base/FolderListing.h"
#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/TorvaneDoc.h"

#include "core/doc/UiHost.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace torvane {
namespace {

// Folders linked to one another over and over would be scanned an exponential number of times.
constexpr uint64_t MaxRescannedEntries = 100000;

// The paths of the files (not the folders) among entries, the last name first: the order a scan
// adds them in.
std::vector<std::string> FilePaths(const std::string& folder,
                                   const std::vector<FolderEntry>& entries) {
    std::vector<std::string> files;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!it->IsFolder)
            files.push_back(JoinPath(folder, it->Name));
    return files;
}

class CFolderScanner {
public:
    CFolderScanner(CTorvaneDoc& doc, CProgress& progress) : m_Doc(doc), m_Progress(progress) {}

    // next: the folder that will be scanned right after this one, when known.
    void Scan(const std::string& folder, int depth, double start, double span,
              const std::string& next = {}) {
        const int limit = m_Doc.Settings().SearchClass;
        if ((limit != 0 && depth > limit) || m_Progress.IsCancelled() || folder.empty())
            return;
        if (!EnterFolder(folder))
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
        std::vector<std::string> QueuedFiles; // its files, when already queued for reading ahead
    };

    // Enters folder on the chain; its status is asked on another thread when the document keeps
    // storage off this one.
    bool EnterFolder(const std::string& folder) {
        // Owned by the call: a wait given up leaves it to finish later on its own.
        auto id = std::make_shared<std::optional<CVisitChain::FolderId>>();
        if (!m_Doc.Await([id, folder] {
                if (CVisitChain::FolderId found; CVisitChain::Identify(folder, found))
                    *id = found;
            }))
            return false;
        return *id && m_Chain.Enter(**id);
    }

    // Lists folder, on another thread when the document keeps storage off this one; false when
    // it cannot be listed or the wait was given up.
    bool List(const std::string& folder, std::vector<FolderEntry>& entries) {
        auto listing = std::make_shared<Listing>();
        if (!m_Doc.Await(
                [listing, folder] { listing->Listed = ListFolder(folder, listing->Entries); }))
            return false;
        entries = std::move(listing->Entries);
        return listing->Listed;
    }

    void ScanEntries(const std::string& folder, int depth, double start, double span,
                     const std::string& next) {
        std::vector<FolderEntry> entries;
        std::vector<std::string> files;
        if (!ListEntries(folder, entries, files) || !MayScan(entries.size()))
            return;
        std::erase_if(entries, [](const FolderEntry& e) { return IsHiddenName(e.Name); });
        // The listing's "." and ".." count as two more folders, as in the bar's share rule.
        const double n = static_cast<double>(entries.size() + 2);
        const double step = span / n;

        bool hasFolders = false;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (m_Progress.IsCancelled())
                break;
            if (!entries[i].IsFolder)
                continue;
            hasFolders = true;
            // The subfolder's progress does not flow back: this level goes on from its own.
            start += step;
            m_Progress.SetPos(static_cast<int>(start));
            const bool nextIsFolder = i + 1 < entries.size() && entries[i + 1].IsFolder;
            Scan(JoinPath(folder, entries[i].Name), depth + 1, start, span / n,
                 nextIsFolder ? JoinPath(folder, entries[i + 1].Name) : std::string());
        }
        // The files come after the subfolders; when they were queued early, they are known.
        if (files.empty()) {
            files = FilePaths(folder, entries);
            m_Doc.ExpectFiles(files, true);
        }
        if (!hasFolders && !next.empty() && !files.empty() && m_Doc.ReadsAhead())
            ListAhead(next);
        for (auto it = files.begin(); it != files.end() && !m_Progress.IsCancelled(); ++it) {
            start += step;
            m_Progress.SetPos(static_cast<int>(start));
            m_Doc.AddFile(*it, true);
        }
        if (m_Ahead.QueuedFiles.empty())
            m_Doc.EndExpectedFiles();
    }

    // Lists the folder scanned next while this one's files are read ahead, so that its listing
    // is ready once they are in. When it holds files only, they are queued behind this
    // folder's at once: the readers go on from one folder to the next without waiting.
    void ListAhead(const std::string& next) {
        m_Ahead.Folder = next;
        m_Ahead.Listed = List(next, m_Ahead.Entries);
        std::vector<FolderEntry>& entries = m_Ahead.Entries;
        std::erase_if(entries, [](const FolderEntry& e) { return IsHiddenName(e.Name); });
        const auto isFolder = [](const FolderEntry& e) { return e.IsFolder; };
        if (!m_Ahead.Listed || std::any_of(entries.begin(), entries.end(), isFolder))
            return;
        m_Ahead.QueuedFiles = FilePaths(next, entries);
        m_Doc.ExpectFiles(m_Ahead.QueuedFiles, true);
    }

    // The listing of folder: the one taken early when it is folder's, else a fresh one.
    // queuedFiles gets its files when they are already queued for reading ahead.
    bool ListEntries(const std::string& folder, std::vector<FolderEntry>& entries,
                     std::vector<std::string>& queuedFiles) {
        Listing ahead = std::exchange(m_Ahead, {});
        if (ahead.Folder.empty() || ahead.Folder != folder) {
            // The folder listed early was not scanned next (a loop or a cancel): its queued
            // files would only be read for nothing.
            if (!ahead.QueuedFiles.empty())
                m_Doc.EndExpectedFiles();
            return List(folder, entries);
        }
        entries = std::move(ahead.Entries);
        queuedFiles = std::move(ahead.QueuedFiles);
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
            m_Doc.Host().ShowMessage(MessageKind::Error, MessageId::NestedFolders,
                                     MessageButtons::Ok);
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
    // Files queued for a folder the scan did not reach are not read.
    doc.EndExpectedFiles();
}

} // namespace torvane
