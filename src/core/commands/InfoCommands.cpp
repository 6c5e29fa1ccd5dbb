#include "core/commands/InfoCommands.h"

#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace torvane {
namespace {

// The rows to read in list order, or none when every row is meant.
std::vector<int> ChosenRows(const CTorvaneDoc& doc, InfoScope scope) {
    const CListViewPort* view = doc.View();
    if (scope == InfoScope::All || !view)
        return {};
    std::vector<int> rows = view->SelectedRows();
    if (scope == InfoScope::SelectionOfMany && rows.size() < 2)
        return {};
    return rows;
}

// The rows a command visits, in list order: the chosen ones, or every row.
struct RowWalk {
    std::vector<size_t> Rows;
    bool Chosen = false;
};

RowWalk RowsToVisit(const CTorvaneDoc& doc, InfoScope scope) {
    const std::vector<int> chosen = ChosenRows(doc, scope);
    RowWalk walk;
    walk.Chosen = !chosen.empty();
    if (walk.Chosen) {
        walk.Rows.assign(chosen.begin(), chosen.end());
    } else {
        walk.Rows.resize(doc.CurrentList().size());
        for (size_t i = 0; i < walk.Rows.size(); ++i)
            walk.Rows[i] = i;
    }
    return walk;
}

// Runs action on the rows with the progress window: the bar before each row, the cancel
// question after it. A chosen row past the end stops the walk. The action is told the row's
// place in the walk.
void ForEachRow(CTorvaneDoc& doc, const RowWalk& walk,
                const std::function<void(CListData&, size_t)>& action) {
    const std::vector<size_t>& rows = walk.Rows;
    const bool chosen = walk.Chosen;
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    const CTorvaneDoc::CStorageWait wait(doc, *progress);
    TrackList& list = doc.CurrentList();
    const size_t count = rows.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t row = rows[k];
        if (row >= list.size())
            break;
        // Selected rows count from 1 (the bar shows the share done), all rows from 0.
        const size_t done = chosen ? k + 1 : k;
        progress->SetPos(static_cast<int>(done * 100 / count));
        if (CListData* record = list[row])
            action(*record, k);
        if (progress->IsCancelled())
            break;
    }
    if (CListViewPort* view = doc.View())
        view->Redraw();
    progress->Close();
}

// The status of the files of the next rows of a walk, asked together on another thread (when
// the document keeps storage off this one): one hand-over for many rows, not one each. Each
// row's status is asked of a stand-in record the asking owns, so a wait given up leaves the
// rows as they were, except those whose status had come.
class CSizeQueries {
public:
    CSizeQueries(CTorvaneDoc& doc, const RowWalk& walk) : m_Doc(doc), m_Walk(walk) {}

    // The stand-in of the k-th row of the walk with its status asked, or null when the wait for
    // it was given up.
    const CListData* For(size_t k) {
        if (!m_Batch || k < m_First || k >= m_First + m_Batch->Probes.size())
            Ask(k);
        const size_t i = k - m_First;
        return i < m_Batch->Done.load(std::memory_order_acquire) ? m_Batch->Probes[i].get()
                                                                 : nullptr;
    }

private:
    static constexpr size_t BatchRows = 256;

    struct Batch {
        std::vector<std::unique_ptr<CListData>> Probes; // null for a row without a record
        std::atomic<size_t> Done{0};                    // the probes asked so far
    };

    void Ask(size_t first) {
        const TrackList& list = m_Doc.CurrentList();
        auto batch = std::make_shared<Batch>();
        for (size_t k = first; k < m_Walk.Rows.size() && k - first < BatchRows; ++k) {
            const size_t row = m_Walk.Rows[k];
            std::unique_ptr<CListData>& probe = batch->Probes.emplace_back();
            if (row < list.size() && list[row]) {
                probe = std::make_unique<CListData>();
                probe->SetPath(list[row]->FilePath());
            }
        }
        m_Doc.Await([batch] {
            for (size_t i = 0; i < batch->Probes.size(); ++i) {
                if (batch->Probes[i])
                    batch->Probes[i]->RefreshSize();
                batch->Done.store(i + 1, std::memory_order_release);
            }
        });
        m_Batch = std::move(batch);
        m_First = first;
    }

    CTorvaneDoc& m_Doc;
    const RowWalk& m_Walk;
    std::shared_ptr<Batch> m_Batch;
    size_t m_First = 0;
};

} // namespace

void GetInfo(CTorvaneDoc& doc, InfoScope scope) {
    doc.Host().SetWaitCursor(true);
    const RowWalk walk = RowsToVisit(doc, scope);
    const TrackList& list = doc.CurrentList();
    std::vector<const CListData*> records;
    for (size_t row : walk.Rows)
        if (row < list.size() && list[row])
            records.push_back(list[row]);
    // The user asked for the files: they are read, never taken from the tag cache.
    doc.ExpectRecords(records);
    ForEachRow(doc, walk, [&](CListData& record, size_t) { doc.ReadRecordInfo(record); });
    doc.EndExpectedFiles();
    doc.Host().SetWaitCursor(false);
}

void GetSizes(CTorvaneDoc& doc, InfoScope scope) {
    const RowWalk walk = RowsToVisit(doc, scope);
    CSizeQueries queries(doc, walk);
    ForEachRow(doc, walk, [&queries](CListData& record, size_t k) {
        const CListData* probe = queries.For(k);
        if (!probe)
            return;
        const bool missing = probe->Has(CListData::Missing);
        record.SetState(CListData::Missing, missing);
        if (!missing) {
            record.SetSize(probe->Size());
            record.SetState(CListData::SizeRead, true);
        }
    });
}

void ClearSelectedInfo(CTorvaneDoc& doc) {
    CListViewPort* view = doc.View();
    if (!view)
        return;
    const std::vector<int> rows = view->SelectedRows();
    if (rows.empty())
        return;
    TrackList& list = doc.CurrentList();
    for (int row : rows)
        if (static_cast<size_t>(row) < list.size() && list[static_cast<size_t>(row)])
            list[static_cast<size_t>(row)]->ClearInfo();
    view->Redraw();
}

void ToggleReadTagsOnLoad(CTorvaneDoc& doc) {
    doc.Settings().readtag ^= DocSettings::ReadTags;
}

void ToggleReadSizesOnLoad(CTorvaneDoc& doc) {
    doc.Settings().readtag ^= DocSettings::ReadSizes;
}

bool ReadSizesOnLoadChecked(const CTorvaneDoc& doc) {
    return (doc.Settings().readtag & (DocSettings::ReadTags | DocSettings::ReadSizes)) != 0;
}

bool ReadSizesOnLoadEnabled(const CTorvaneDoc& doc) {
    return (doc.Settings().readtag & DocSettings::ReadTags) == 0;
}

} // namespace torvane
