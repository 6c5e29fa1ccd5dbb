#pragma once

#include "DocFixture.h"
#include "MpegFill.h"

#include <string>
#include <vector>

namespace torvane::test {

// The document test, with records made without touching the disk.
class ListOpsTest : public DocTest {
protected:
    // Adds a record for path to the current list, filled as the MPEG reader would fill it from
    // info and marked read (unless read is false), with the given size.
    CListData* Add(const std::string& path, const AudioInfo& info = {}, int64_t size = 0,
                   bool read = true) {
        EXPECT_TRUE(doc.AddFile(path, false)) << path;
        CListData* record = doc.CurrentList().back();
        if (read) {
            test::FillAsMpeg(*record, info);
            record->SetSize(size);
            record->SetState(CListData::InfoRead, true);
        }
        return record;
    }

    // Records 0..count-1 named "/m/0.mp3" .. in the current list.
    void AddNumbered(int count) {
        for (int i = 0; i < count; ++i)
            Add("/m/" + std::to_string(i) + ".mp3");
    }

    // The file names of a list, in order.
    static Texts Names(const TrackList& list) {
        Texts names;
        for (const CListData* record : list)
            names.emplace_back(record->FileName());
        return names;
    }
    Texts Names() const { return Names(doc.CurrentList()); }

    static Texts Numbers(std::initializer_list<int> numbers) {
        Texts names;
        for (int n : numbers)
            names.push_back(std::to_string(n));
        return names;
    }

    // Shares a record of the current list with the other list, as "検索リストに追加" does.
    void Share(CListData* record, TrackList& other) {
        record->AddRef();
        other.push_back(record);
    }
};

inline AudioInfo Tags(const std::string& title, const std::string& artist = {},
                      const std::string& album = {}) {
    AudioInfo info;
    info.Std.Title = title;
    info.Std.Artist = artist;
    info.Std.Album = album;
    info.TagFlags = AudioInfo::TagId3v1;
    return info;
}

} // namespace torvane::test
