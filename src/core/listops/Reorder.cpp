#include "core/listops/Reorder.h"

#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"

#include <algorithm>

namespace torvane {
namespace {

// Maximal runs [s, e] of adjacent rows in an ascending selection.
std::vector<std::pair<int, int>> Runs(const std::vector<int>& rows) {
    std::vector<std::pair<int, int>> runs;
    for (int row : rows) {
        if (!runs.empty() && runs.back().second + 1 == row)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    return runs;
}

RowSelection Shifted(std::vector<int> rows, int by) {
    for (int& row : rows)
        row += by;
    RowSelection result{std::move(rows)};
    result.Visible = result.Rows.front();
    return result;
}

void Redraw(CTorvaneDoc& doc) {
    if (doc.View())
        doc.View()->Redraw();
}

} // namespace

RowSelection MoveUp(CTorvaneDoc& doc, std::span<const int> selected) {
    TrackList& list = doc.CurrentList();
    std::vector<int> rows = ValidRows(selected, list.size());
    if (rows.empty())
        return {};
    if (rows.front() == 0) {
        doc.Host().Beep();
        return {std::move(rows)};
    }
    // The row above each run goes below it; runs never touch, so each moves by exactly one.
    for (const auto& [s, e] : Runs(rows))
        std::rotate(list.begin() + s - 1, list.begin() + s, list.begin() + e + 1);
    RowSelection result = Shifted(std::move(rows), -1);
    Redraw(doc);
    return result;
}

RowSelection MoveDown(CTorvaneDoc& doc, std::span<const int> selected) {
    TrackList& list = doc.CurrentList();
    std::vector<int> rows = ValidRows(selected, list.size());
    if (rows.empty())
        return {};
    if (static_cast<size_t>(rows.back()) == list.size() - 1) {
        doc.Host().Beep();
        return {std::move(rows)};
    }
    const auto runs = Runs(rows);
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        std::rotate(list.begin() + run->first, list.begin() + run->second + 1,
                    list.begin() + run->second + 2);
    RowSelection result = Shifted(std::move(rows), 1);
    Redraw(doc);
    return result;
}

void ShuffleRange(CTorvaneDoc& doc, size_t first, size_t last) {
    TrackList& list = doc.CurrentList();
    if (first >= list.size() || last >= list.size() || last <= first)
        return;
    const size_t n = last - first + 1;
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    // Two passes; the bar runs to about 50 in the first and from 0 to about 100 in the second.
    for (size_t k : {2, 1}) {
        for (size_t i = 0; i < n; ++i) {
            progress->SetPos(static_cast<int>(i * 100 / n / k));
            const size_t r = static_cast<size_t>(doc.Random().Next());
            std::swap(list[first + i], list[first + r % (i + 1)]);
        }
    }
    Redraw(doc);
    progress->Close();
}

void ShuffleAll(CTorvaneDoc& doc) {
    if (!doc.CurrentList().empty())
        ShuffleRange(doc, 0, doc.CurrentList().size() - 1);
}

RowSelection ShuffleSelection(CTorvaneDoc& doc, std::span<const int> selected) {
    TrackList& list = doc.CurrentList();
    std::vector<int> rows = ValidRows(selected, list.size());
    if (rows.empty())
        return {};
    CUiHost& host = doc.Host();
    const auto progress = host.OpenProgress();
    progress->SetPos(0);
    host.SetWaitCursor(true);
    RowSelection result{GatherSelection(list, rows)};
    ShuffleRange(doc, static_cast<size_t>(result.Rows.front()),
                 static_cast<size_t>(result.Rows.back()));
    host.SetWaitCursor(false);
    progress->Close();
    return result;
}

RowSelection RemoveSelected(CTorvaneDoc& doc, std::span<const int> selected) {
    TrackList& list = doc.CurrentList();
    const std::vector<int> rows = ValidRows(selected, list.size());
    if (rows.empty())
        return {};
    if (doc.View())
        doc.View()->SetItemCount(static_cast<int>(list.size() - rows.size()));
    RemoveRows(doc, list, rows);
    doc.UpdateItemCount();

    RowSelection result;
    if (!list.empty()) {
        const int row = std::min(rows.front(), static_cast<int>(list.size()) - 1);
        result = {{row}, row, row};
    }
    return result;
}

void SwapLists(CTorvaneDoc& doc) {
    doc.AllList().swap(doc.SearchList());
    doc.UpdateItemCount();
}

} // namespace torvane
