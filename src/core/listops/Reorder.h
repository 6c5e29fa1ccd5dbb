#pragma once

#include "core/doc/TorvaneDoc.h"
#include "core/listops/Selection.h"

#include <span>

namespace torvane {

// Operations that reorder or thin the current list by the view's selected rows. Each takes the
// selection (ascending rows) and answers the rows to select afterwards.

// "上へ": every run of selected rows moves up one row, the row above it going below it. With row
// 0 selected nothing moves (a beep).
RowSelection MoveUp(CTorvaneDoc& doc, std::span<const int> selected);
// "下へ": the mirror of MoveUp; with the last row selected nothing moves (a beep).
RowSelection MoveDown(CTorvaneDoc& doc, std::span<const int> selected);

// Shuffles rows first..last of the current list in two passes of random exchanges drawn from
// the document's generator.
void ShuffleRange(CTorvaneDoc& doc, size_t first, size_t last);
// "ランダム": the whole current list; the selection marks stay on their rows.
void ShuffleAll(CTorvaneDoc& doc);
// Gathers the selection into one block and shuffles the block, which stays selected.
RowSelection ShuffleSelection(CTorvaneDoc& doc, std::span<const int> selected);

// "選択アイテムをクリア": releases the selected rows' records (a record the other list holds
// too lives on) and selects the row where the first of them stood.
RowSelection RemoveSelected(CTorvaneDoc& doc, std::span<const int> selected);

// "リスト入替": exchanges the contents of the all list and the search list; no count changes.
void SwapLists(CTorvaneDoc& doc);

} // namespace torvane
