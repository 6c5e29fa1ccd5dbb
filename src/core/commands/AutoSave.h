#pragma once

#include <string>

namespace torvane {

class CTorvaneDoc;

// The list carried from one run to the next: "Torvane.m3u" in the profile file's folder.
std::string AutoSavePath(const CTorvaneDoc& doc);

// At exit, when "終了時リストを保存" is on: writes the all list (leaving search mode first),
// or deletes the file when the all list is empty. Entries of the kept list that were held back
// for their switched-off extension are written after the list, unless it holds them again. When
// the kept list was read only in part, the file is replaced only when the user says yes to
// MessageId::KeptListIncomplete; without mayAsk (an exit that asks nothing) it stays as it is.
// False, after the message, when the list could not be written or the file not deleted.
bool AutoSaveList(CTorvaneDoc& doc, bool mayAsk = true);

// At start-up, after the command line: reads the autosaved list when saving on exit is on and
// the all list is still empty (leaving search mode first). The document remembers a reading
// that was cancelled or stopped, and the entries held back for their extension.
void AutoLoadList(CTorvaneDoc& doc);

// The history menu's "Torvane.m3u" item, whatever the setting; enabled while the file exists.
bool AutoSaveListExists(const CTorvaneDoc& doc);
void OpenAutoSaveList(CTorvaneDoc& doc);

} // namespace torvane
