#include "core/listops/Selection.h"

#include <algorithm>
#include <numeric>

namespace torvane {

std::vector<int> ValidRows(std::span<const int> selected, size_t count) {
    std::vector<int> rows;
    for (int row : selected)
        if (row >= 0 && static_cast<size_t>(row) < count)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

RowSelection SelectAll(int rowCount) {
    RowSelection result;
    result.Rows.resize(static_cast<size_t>(std::max(rowCount, 0)));
    std::iota(result.Rows.begin(), result.Rows.end(), 0);
    return result;
}

RowSelection InvertSelection(int rowCount, std::span<const int> selected) {
    const std::vector<int> rows = ValidRows(selected, static_cast<size_t>(std::max(rowCount, 0)));
    RowSelection result;
    auto next = rows.begin();
    for (int row = 0; row < rowCount; ++row) {
        if (next != rows.end() && *next == row)
            ++next;
        else
            result.Rows.push_back(row);
    }
    if (!result.Rows.empty())
        result.Focus = result.Rows.front();
    return result;
}

std::vector<int> GatherSelection(TrackList& list, std::span<const int> selected) {
    if (selected.empty())
        return {};
    const auto first = list.begin() + selected.front();
    const auto last = list.begin() + selected.back() + 1;
    std::vector<bool> isSelected(static_cast<size_t>(last - first));
    for (int row : selected)
        isSelected[static_cast<size_t>(row - selected.front())] = true;
    // Moving each selected record up behind the previous one is a stable partition.
    std::vector<CListData*> block;
    std::vector<CListData*> between;
    for (auto it = first; it != last; ++it)
        (isSelected[static_cast<size_t>(it - first)] ? block : between).push_back(*it);
    std::copy(between.begin(), between.end(), std::copy(block.begin(), block.end(), first));

    std::vector<int> rows(block.size());
    std::iota(rows.begin(), rows.end(), selected.front());
    return rows;
}

void RemoveRows(CTorvaneDoc& doc, TrackList& list, const std::vector<int>& rows) {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        doc.ReleaseItem(list, static_cast<size_t>(*row));
    // One pass instead of one shift per row: removing many rows stays linear.
    size_t kept = 0;
    auto next = rows.begin();
    for (size_t i = 0; i < list.size(); ++i) {
        if (next != rows.end() && static_cast<size_t>(*next) == i)
            ++next;
        else
            list[kept++] = list[i];
    }
    list.resize(kept);
}

} // namespace torvane
