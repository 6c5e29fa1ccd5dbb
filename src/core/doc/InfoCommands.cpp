#include "InfoCommands.h"

#include "ListViewPort.h"
#include "Progress.h"
#include "TorvaneDoc.h"
#include "UiHost.h"

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

// Runs action on the chosen rows with the progress window: the bar before each row, the
// cancel question after it.
void ForEachRow(CTorvaneDoc& doc, InfoScope scope, const std::function<void(CListData&)>& action) {
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    TrackList& list = doc.CurrentList();
    const size_t n = list.size();
    const std::vector<int> rows = ChosenRows(doc, scope);
    const size_t count = rows.empty() ? n : rows.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t row = rows.empty() ? k : static_cast<size_t>(rows[k]);
        if (row >= n)
            break;
        // Selected rows count from 1 (the bar shows the share done), all rows from 0.
        const size_t done = rows.empty() ? k : k + 1;
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

} // namespace

void GetInfo(CTorvaneDoc& doc, InfoScope scope) {
    doc.Host().SetWaitCursor(true);
    const CTextCodec& codec = doc.Codec();
    ForEachRow(doc, scope, [&](CListData& record) { record.ReadInfo(codec); });
    doc.Host().SetWaitCursor(false);
}

void GetSizes(CTorvaneDoc& doc, InfoScope scope) {
    ForEachRow(doc, scope, [](CListData& record) { record.RefreshSize(); });
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
