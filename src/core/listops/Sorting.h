#pragma once

#include "core/doc/TorvaneDoc.h"
#include "core/listops/Selection.h"
#include "core/record/Columns.h"

#include <array>
#include <compare>
#include <span>
#include <string_view>

namespace torvane {

// Byte-wise comparison with 'A'..'Z' folded to 'a'..'z' (no other folding, no locale); a text
// that ends first sorts first.
std::strong_ordering CompareSortTexts(std::string_view a, std::string_view b);

// Two records in ascending order under a column key: their key texts, and for equal texts (and
// every key but the path) their path keys.
std::strong_ordering CompareItems(const CListData& a, const CListData& b, ColumnKey key,
                                  const SortKeyContext& context);

// The document's settings that sort keys depend on.
SortKeyContext SortContextOf(const CTorvaneDoc& doc);

// Sorts the whole current list ("ファイルパスでソート" and the column header clicks).
void SortAll(CTorvaneDoc& doc, ColumnKey key, bool descending);
// Gathers the selected rows into one block and sorts it; the block stays selected. Fewer than
// two rows change nothing.
RowSelection SortSelection(CTorvaneDoc& doc, std::span<const int> selected, ColumnKey key,
                           bool descending);

// The view's direction flags, one per column: the first sort by a key is ascending, the next by
// the same key descending, and any other key in between starts it over.
class CSortFlags {
public:
    // Answers whether this sort by key is descending and turns the flags for the next one.
    bool Take(ColumnKey key);

private:
    std::array<bool, ColumnCount> m_Descending{};
};

} // namespace torvane
