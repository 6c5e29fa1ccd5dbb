#include "core/playlist/PlaylistEntry.h"

#include "core/base/Progress.h"
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

std::vector<PlaylistEntry> CollectEntries(const std::vector<CListData*>& list,
                                          std::string_view base, TagMode tagMode,
                                          CProgress& progress) {
    const size_t n = list.size();
    std::vector<PlaylistEntry> entries;
    entries.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        progress.SetPos(static_cast<int>(i * 100 / n));
        const CListData& record = *list[i];
        PlaylistEntry entry;
        entry.Location =
            base.empty() ? record.FilePath() : MakeRelativePath(base, record.FilePath());
        entry.FileName = std::string(record.FileName());
        const TagSet& tags = record.Tags(tagMode);
        entry.Title = tags.Title;
        entry.Artist = tags.Artist;
        entry.Album = tags.Album;
        entry.TrackNum = tags.TrackNum;
        if (record.Time() > 0) // 0 until read, -1 when the file could not be read
            entry.Seconds = record.Time();
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string DisplayTitle(const PlaylistEntry& entry) {
    if (entry.Title.empty())
        return OnOneLine(entry.FileName);
    if (entry.Artist.empty())
        return OnOneLine(entry.Title);
    return OnOneLine(entry.Artist + " - " + entry.Title);
}

} // namespace torvane
