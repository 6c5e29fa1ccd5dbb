#pragma once

#include <string>
#include <vector>

namespace torvane {

class CTorvaneDoc;

// The routes by which files enter the current list. Each takes what its dialog or the desktop
// produced, shows the wait cursor and a progress window through the UI host, and ends with
// UpdateItemCount. List files met on the way are read, not added. A route that runs out of
// memory stops with a message, and the records it added are taken back.

// "開く(&O)...": the paths chosen in the open dialog, in its order.
void OpenFiles(CTorvaneDoc& doc, const std::vector<std::string>& paths);

// "フォルダを開く(&D)": scans the chosen folder and puts it into the folder history. An empty
// folder (the browser gave no file-system path) is reported as an invalid folder name.
void OpenFolder(CTorvaneDoc& doc, const std::string& folder);

// Files, folders and list files dropped on a window: each takes its share of the bar.
void DropFiles(CTorvaneDoc& doc, const std::vector<std::string>& paths);

// The program's arguments at start-up: existing folders are scanned, existing list files read
// and other existing files added; paths that do not exist are skipped. Ends with
// UpdateItemCount also without arguments.
void LoadCommandLine(CTorvaneDoc& doc, const std::vector<std::string>& arguments);

// "入力（&Ｉ）": adds the typed path as it is (a folder or list file is not expanded). On refusal
// beeps and answers false, and the dialog shows again.
bool InputItem(CTorvaneDoc& doc, const std::string& path, bool ignoreExtension);

// File history entry `index`: reads that list file again (it moves to the front).
void OpenFileHistoryItem(CTorvaneDoc& doc, size_t index);
// Folder history entry `index`: scans that folder again (the history keeps its order).
void OpenFolderHistoryItem(CTorvaneDoc& doc, size_t index);

} // namespace torvane
