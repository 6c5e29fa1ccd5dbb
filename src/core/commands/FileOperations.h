#pragma once

#include "core/doc/TorvaneDoc.h"

#include <map>
#include <span>
#include <string>
#include <vector>

namespace torvane {

class CDesktopPort;

// The operations on the files behind the selected rows of the current list (ascending rows, as
// the view reports them). Each checks the selection itself and does nothing when it does not
// fit; the desktop does the work.

// The program that opens the record's file: the application registered for its extension
// (whether the extension is enabled or not) when that names an existing file; empty when the
// desktop's default application is to open it.
std::string RegisteredAppFor(const CExtRegistry& registry, const CListData& record);

// "開く": with exactly one row selected, starts its registered application on the file, or else
// asks the desktop's default application to open it.
void OpenWithApp(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected);

// "ごみ箱へ": moves the selected files into the trash in row order (missing paths and folders are
// skipped and stay), then removes the rows of the files that were moved from the current list; a
// record the other list holds too stays there. A failed move stops the walk and says why: its
// row and the rows after it stay as they were.
void RecycleSelected(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected);

// "プロパティ": the properties of the first selected row's file.
void ShowProperties(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected);

// The folders that hold the selected rows' files, distinct and in byte order, each with the
// files of it that are selected (in row order).
using FolderSet = std::map<std::string, std::vector<std::string>>;
FolderSet ContainingFolders(const TrackList& list, std::span<const int> selected);

// "一つ上のフォルダを開く": opens the first MaxOpenedFolders folders of the selection's folder set,
// after a notice when there are that many or more. When one of the folders is not there, says so
// and opens none.
constexpr size_t MaxOpenedFolders = 5;
void OpenContainingFolders(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected);

enum class ClipboardField { Path, Name };
// The selected rows' paths or names (without folder and extension), joined by "\r\n", with no
// line break at the end.
std::string ClipboardText(const TrackList& list, std::span<const int> selected,
                          ClipboardField field);
// "ファイルパスをコピー" and "ファイル名をコピー": puts that text on the clipboard; an empty text
// changes nothing.
void CopyToClipboard(CTorvaneDoc& doc, CDesktopPort& desktop, std::span<const int> selected,
                     ClipboardField field);

} // namespace torvane
