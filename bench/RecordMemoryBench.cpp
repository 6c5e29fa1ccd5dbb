// Bytes per record of a list of 100,000 tagged tracks: the heap the document holds for them
// (records, their texts and the list's slots), measured with the allocator's own statistics,
// next to the target of 1 KB.
//
//   torvane_bench_record_memory [RECORDS]

#include "SyntheticList.h"

#include "core/media/MpegReader.h"

#include <cstdio>
#include <cstdlib>
#include <malloc.h>

namespace {

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// What an MP3 of a tagged collection carries: both tag sets with everyday lengths.
torvane::AudioInfo TypicalTags(int i) {
    torvane::AudioInfo info;
    const std::string artist = "The Artist Number " + std::to_string(i % 500);
    const std::string album = "An Album Called " + std::to_string(i % 5000);
    const std::string title = "A Song Title Of Some Length " + std::to_string(i);
    info.Std.Title = title.substr(0, 30);
    info.Std.Artist = artist.substr(0, 30);
    info.Std.Album = album.substr(0, 30);
    info.Std.Year = "1999";
    info.Std.TrackNum = std::to_string(i % 12 + 1);
    info.Ext.Title = title;
    info.Ext.Artist = artist;
    info.Ext.Album = album;
    info.Ext.Year = "1999";
    info.Ext.Genre = "Rock";
    info.Ext.TrackNum = std::to_string(i % 12 + 1) + "/12";
    info.PlayTime = 200 + i % 100;
    info.BitRate = 192;
    info.SamplingRate = 44100;
    info.TagFlags = torvane::AudioInfo::TagId3v1 | torvane::AudioInfo::TagId3v2;
    torvane::FinishMpegInfo(info);
    return info;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    torvane::CQuietHost host;
    torvane::CProfile profile;
    auto* doc = new torvane::CTorvaneDoc(profile, host);
    doc->Settings().readtag = 0;

    const size_t before = HeapInUse();
    for (int i = 0; i < count; ++i) {
        const std::string path = "/home/user/Music/The Artist Number " + std::to_string(i % 500) +
                                 "/An Album Called " + std::to_string(i % 5000) + "/" +
                                 std::to_string(i % 12 + 1) + " A Song Title " + std::to_string(i) +
                                 ".mp3";
        doc->AddFile(path, false);
        torvane::CListData* record = doc->AllList().back();
        record->FillFrom(TypicalTags(i));
        record->SetSize(5000000 + i);
        record->SetState(torvane::CListData::InfoRead, true);
    }
    doc->AllList().shrink_to_fit();
    const size_t after = HeapInUse();

    const double perRecord = static_cast<double>(after - before) / count;
    std::printf("records                 %d\n", count);
    std::printf("sizeof(CListData)       %zu bytes\n", sizeof(torvane::CListData));
    std::printf("heap per record         %.0f bytes  (target at most 1024)  %s\n", perRecord,
                perRecord <= 1024 ? "met" : "MISSED");
    delete doc;
    return 0;
}
