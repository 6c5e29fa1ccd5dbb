#pragma once

#include "core/record/DisplayChoice.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CListData;
class CProgress;

// What the playlist writers put down for one record.
struct PlaylistEntry {
    std::string Location; // the path as stored, or relative to the base folder
    std::string FileName;
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string TrackNum;
    int32_t Seconds = -1; // -1 when the playing time is unknown
};

// One entry per record, in list order, with the tags of the display mode; the progress bar
// moves from 0 to the last record's share, as the plain writer always did.
std::vector<PlaylistEntry> CollectEntries(const std::vector<CListData*>& list,
                                          std::string_view base, TagMode tagMode,
                                          CProgress& progress);

// The one-line title that extended M3U and PLS show: "artist - title", the title alone when
// there is no artist, the file name when there is no title. Line breaks become blanks, so the
// title stays on its line.
std::string DisplayTitle(const PlaylistEntry& entry);

} // namespace torvane
