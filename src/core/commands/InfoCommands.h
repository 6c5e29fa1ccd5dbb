#pragma once

namespace torvane {

class CTorvaneDoc;

// Which rows an information command reads.
enum class InfoScope {
    Selection,       // the selected rows; all rows when none is selected (menu items)
    SelectionOfMany, // the selected rows when more than one is selected, else all (tool bar)
    All,             // every row of the current list
};

// "タグを取得": reads tags, stream facts and size of the rows again, with the wait cursor and a
// progress window; a cancel leaves the rows not yet read as they were.
void GetInfo(CTorvaneDoc& doc, InfoScope scope);

// "ファイルサイズを取得": reads the sizes of the rows; a row whose file has gone (or is a folder)
// is marked missing and keeps its old size text.
void GetSizes(CTorvaneDoc& doc, InfoScope scope);

// "選択アイテムの情報をクリア": forgets everything but the path parts of the selected rows.
void ClearSelectedInfo(CTorvaneDoc& doc);

// The settings menu's read-on-load items: each flips its bit; nothing is read at that moment.
void ToggleReadTagsOnLoad(CTorvaneDoc& doc);
void ToggleReadSizesOnLoad(CTorvaneDoc& doc);
// "読込み時にサイズ取得" shows a check mark while sizes or tags are read on load, and is
// disabled while tags are (reading tags always reads the size).
bool ReadSizesOnLoadChecked(const CTorvaneDoc& doc);
bool ReadSizesOnLoadEnabled(const CTorvaneDoc& doc);

} // namespace torvane
