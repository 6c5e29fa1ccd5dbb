#include "core/commands/InfoCommands.h"

#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"

#include <functional>
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
// question after it. A chosen row past the end stops the walk.
void ForEachRow(CTorvaneDoc& doc, const RowWalk& walk,
                const std::function<void(CListData&)>& action) {
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
            action(*record);
        if (progress->IsCancelled())
            break;
    }
    if (CListViewPort* view = doc.View())
        view->Redraw();
    progress->Close();
}

// The records of the walk's rows, in its order.
std::vector<const CListData*> RecordsOf(const CTorvaneDoc& doc, const RowWalk& walk) {
    const TrackList& list = doc.CurrentList();
    std::vector<const CListData*> records;
    for (size_t row : walk.Rows)
        if (row < list.size() && list[row])
            records.push_back(list[row]);
    return records;
}

} // namespace

void GetInfo(CTorvaneDoc& doc, InfoScope scope) {
    doc.Host().SetWaitCursor(true);
    const RowWalk walk = RowsToVisit(doc, scope);
    // The user asked for the files: they are read, never taken from the tag cache.
    doc.ExpectRecords(RecordsOf(doc, walk));
    ForEachRow(doc, walk, [&doc](CListData& record) { doc.ReadRecordInfo(record); });
    doc.EndExpectedFiles();
    doc.Host().SetWaitCursor(false);
}

void GetSizes(CTorvaneDoc& doc, InfoScope scope) {
    const RowWalk walk = RowsToVisit(doc, scope);
    doc.ExpectRecords(RecordsOf(doc, walk), CReadAhead::RecordReading::SizeOnly);
    ForEachRow(doc, walk, [&doc](CListData& record) { doc.RefreshRecordSize(record); });
    doc.EndExpectedFiles();
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
