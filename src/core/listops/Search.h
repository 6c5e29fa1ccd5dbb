#pragma once

#include "core/doc/TorvaneDoc.h"
#include "core/listops/SearchRequest.h"

#include <span>

#include <string_view>

namespace torvane {

// The text a search looks at (tags with the given display mode); the empty text for a target
// outside the list.
std::string_view GetSearchText(const CListData& record, SearchTarget target, TagMode tagMode);

// The extended conditions (extension, bit rate, sampling rate, size, time), cheapest first.
bool MatchConditions(const CListData& record, const SearchRequest& request);

// Replaces the search list with the records of the request's source that pass the conditions,
// the terms and the existence test, and switches to search mode.
void RunSearch(CTorvaneDoc& doc, const SearchRequest& request);

// Makes list the search list and switches to search mode. What the search list held is released
// only now, so a record that list took a reference to lives on.
void ReplaceSearchList(CTorvaneDoc& doc, TrackList list);

// Switches between show-all mode and search mode and clears the selection. The view refreshes
// its mode displays (search bar, status pane) from CTorvaneDoc::SearchMode() in
// UpdateSelectionTexts, which this calls.
void ToggleSearchMode(CTorvaneDoc& doc);

// "検索リストに追加" / "全リストに追加": appends the selected records to the list not shown.
void AddSelectionToOtherList(CTorvaneDoc& doc, std::span<const int> selected);

} // namespace torvane
