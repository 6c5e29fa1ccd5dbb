#pragma once

#include "core/doc/TorvaneDoc.h"

#include <string>
#include <vector>

namespace torvane {

// One folder's share of the list for "フォルダ毎に保存": its playlist's path and its records'
// positions [First, End) in the sorted copy.
struct FolderGroup {
    std::string FileName;
    size_t First = 0;
    size_t End = 0;
    bool Ticked = true;
};

// The current list's records sorted by folder (stable: equal folders keep their list order)
// and cut into groups, each named "<folder>/<folder's last component>.m3u". The current list
// itself is not reordered. Folders compare exactly.
struct FolderGroups {
    std::vector<const CListData*> Sorted;
    std::vector<FolderGroup> Groups;
};
FolderGroups GroupByFolder(const TrackList& list);

// The choices of the confirmation dialog besides the ticks.
struct FolderSaveOptions {
    bool FullPaths = false; // "フルパスで出力": full paths instead of bare file names
    std::string IndexPath; // "m3uファイルのリストを作成": the text list of the playlists
};

// Writes the playlist of every ticked group, then, when IndexPath is longer than 4 characters,
// the list of the playlists written. A file that cannot be written is reported and skipped;
// "保存しました。" follows when everything was written. False when anything failed.
bool SaveEachFolder(CTorvaneDoc& doc, const FolderGroups& groups, const FolderSaveOptions& options);

} // namespace torvane
