#pragma once

#include "core/doc/TorvaneDoc.h"

#include <span>
#include <vector>

namespace torvane {

// What an operation on the selected rows hands back to the view, which owns the selection.
struct RowSelection {
    std::vector<int> Rows; // ascending; replaces the selection
    int Focus = -1;        // the row to give the focus mark; -1 leaves the focus alone
    int Visible = -1;      // the row to scroll into view; -1 scrolls nothing
};

// The rows of a selection that exist in a list of count rows, ascending and each once.
std::vector<int> ValidRows(std::span<const int> selected, size_t count);

// "全て選択": every row; the focus stays where it is.
RowSelection SelectAll(int rowCount);
// "選択反転": every row that was not selected; the first of them gets the focus.
RowSelection InvertSelection(int rowCount, std::span<const int> selected);

// Gathers the selected rows (ascending, valid) into one block starting at the first of them:
// the selected records keep their order, the unselected ones that lay between them follow the
// block in theirs, and rows outside stay. Answers the block's rows.
std::vector<int> GatherSelection(TrackList& list, std::span<const int> selected);

// Releases the records of the given rows (ascending, valid) of a list and removes their slots,
// the later rows moving up. A record that another slot holds lives on.
void RemoveRows(CTorvaneDoc& doc, TrackList& list, const std::vector<int>& rows);

} // namespace torvane
