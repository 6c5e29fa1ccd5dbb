#include "core/gather/FolderScan.h"

#include "core/base/FolderListing.h"
#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/gather/FolderWalkAhead.h"

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

class CFolderScanner {
public:
    CFolderScanner(CTorvaneDoc& doc, CProgress& progress, CFolderWalkAhead& walk)
        : m_Doc(doc), m_Progress(progress), m_Walk(walk) {}

    void Scan(const std::string& folder, int depth, double start, double span) {
        const int limit = m_Doc.Settings().SearchClass;
        if ((limit != 0 && depth > limit) || m_Progress.IsCancelled() || folder.empty())
            return;
        FolderFacts facts;
        if (!EnterFolder(folder, facts))
            return;
        ScanEntries(folder, facts, depth, start, span);
        m_Chain.Leave();
    }

private:
    // Enters folder on the chain, with its facts from the walk ahead or asked here: its
    // status and later its listing, on another thread when the document keeps storage off
    // this one.
    bool EnterFolder(const std::string& folder, FolderFacts& facts) {
        switch (m_Walk.Take(folder, facts)) {
        case CFolderWalkAhead::Answer::Ready:
            // The walk lists no folder already on the path; nor is it entered here.
            return facts.Identified && m_Chain.Enter(facts.Id);
        case CFolderWalkAhead::Answer::GivenUp:
            return false;
        case CFolderWalkAhead::Answer::NotAhead:
            break;
        }
        // Owned by the call: a wait given up leaves it to finish later on its own.
        auto id = std::make_shared<std::optional<CVisitChain::FolderId>>();
        if (!m_Doc.Await([id, folder] {
                if (CVisitChain::FolderId found; CVisitChain::Identify(folder, found))
                    *id = found;
            }))
            return false;
        if (!*id || !m_Chain.Enter(**id))
            return false;
        if (List(folder, facts))
            return true;
        m_Chain.Leave();
        return false;
    }

    // Lists folder into facts; false when the wait was given up.
    bool List(const std::string& folder, FolderFacts& facts) {
        auto listing = std::make_shared<FolderFacts>();
        if (!m_Doc.Await(
                [listing, folder] { listing->Listed = ListFolder(folder, listing->Entries); }))
            return false;
        facts.Listed = listing->Listed;
        facts.Entries = std::move(listing->Entries);
        return true;
    }

    void ScanEntries(const std::string& folder, FolderFacts& facts, int depth, double start,
                     double span) {
        std::vector<FolderEntry>& entries = facts.Entries;
        if (!facts.Listed || !MayScan(entries.size()))
            return;
        std::erase_if(entries, [](const FolderEntry& e) { return IsHiddenName(e.Name); });
        // The listing's "." and ".." count as two more folders, as in the bar's share rule.
        const double n = static_cast<double>(entries.size() + 2);
        const double step = span / n;

        for (const FolderEntry& entry : entries) {
            if (m_Progress.IsCancelled())
                break;
            if (!entry.IsFolder)
                continue;
            // The subfolder's progress does not flow back: this level goes on from its own.
            start += step;
            m_Progress.SetPos(static_cast<int>(start));
            Scan(JoinPath(folder, entry.Name), depth + 1, start, span / n);
        }
        // The files come after the subfolders.
        const std::vector<std::string> files = ScanOrderFiles(folder, entries);
        if (!m_Walk.Told(files))
            m_Doc.ExpectFiles(files, true, PathText::Exact);
        for (auto it = files.begin(); it != files.end() && !m_Progress.IsCancelled(); ++it) {
            start += step;
            m_Progress.SetPos(static_cast<int>(start));
            m_Walk.Adding(*it);
            m_Doc.AddFile(*it, true, PathText::Exact);
        }
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
    CFolderWalkAhead& m_Walk;
    CVisitChain m_Chain;
    std::set<std::pair<dev_t, ino_t>> m_Scanned;
    uint64_t m_RescannedEntries = 0;
    bool m_Warned = false;
};

} // namespace

void ScanFolder(CTorvaneDoc& doc, const std::string& folder, CProgress& progress, double start,
                double span) {
    {
        CFolderWalkAhead walk(doc, folder, doc.Settings().SearchClass);
        CFolderScanner(doc, progress, walk).Scan(folder, 1, start, span);
    }
    // Files queued for a folder the scan did not reach are not read.
    doc.EndExpectedFiles();
}

} // namespace torvane
