#include "core/playlist/PlaylistEntry.h"

#include "core/playlist/RelativePath.h"
#include "core/record/ListData.h"

#include <algorithm>

namespace torvane {
namespace {

std::string OnOneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

std::string EntryLocation(const CListData& record, std::string_view base) {
    return base.empty() ? record.FilePath() : MakeRelativePath(base, record.FilePath());
}

PlaylistEntry MakeEntry(const CListData& record, std::string_view base, TagMode tagMode) {
    PlaylistEntry entry;
    entry.Location = EntryLocation(record, base);
    entry.FileName = std::string(record.FileName());
    entry.Title = record.GetTitle(tagMode);
    entry.Artist = record.GetArtist(tagMode);
    entry.Album = record.GetAlbum(tagMode);
    entry.TrackNum = record.GetTrackNum(tagMode);
    if (record.Time() > 0) // 0 until read, -1 when the file could not be read
        entry.Seconds = record.Time();
    return entry;
}

std::string DisplayTitle(const PlaylistEntry& entry) {
    if (entry.Title.empty())
        return OnOneLine(entry.FileName);
    if (entry.Artist.empty())
        return OnOneLine(entry.Title);
    return OnOneLine(entry.Artist + " - " + entry.Title);
}

} // namespace torvane
