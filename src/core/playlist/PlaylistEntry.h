#pragma once

#include "core/record/DisplayChoice.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CListData;

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

// The entry of one record, with the tags of the display mode; its location relative to base
// when base is not empty (EntryLocation).
std::string EntryLocation(const CListData& record, std::string_view base);
PlaylistEntry MakeEntry(const CListData& record, std::string_view base, TagMode tagMode);

// The one-line title that extended M3U and PLS show: "artist - title", the title alone when
// there is no artist, the file name when there is no title. Line breaks become blanks, so the
// title stays on its line.
std::string DisplayTitle(const PlaylistEntry& entry);

} // namespace torvane
