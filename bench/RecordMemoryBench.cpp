// Bytes per record of a long list: the heap the document holds for its records (records, their
// texts and the list's slots), measured with the allocator's own statistics. Two kinds of record:
// a path only (tags not read on load), and a read MP3 with both tag sets of everyday lengths.
// Targets at 1,000,000 records: at most 400 bytes a path-only record, 700 a tagged one.
//
//   torvane_bench_record_memory [RECORDS...]     (default 100000 1000000)

#include "SyntheticList.h"

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <vector>

namespace {

constexpr double PathOnlyTarget = 400;
constexpr double TaggedTarget = 700;

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// The heap per record a fresh document holds after count records were added to it.
double BytesPerRecord(int count, bool tagged) {
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
        if (!tagged)
            continue;
        torvane::CListData* record = doc->AllList().back();
        record->FillFrom(torvane::TypicalTags(i));
        record->SetSize(5000000 + i);
        record->SetState(torvane::CListData::InfoRead, true);
    }
    doc->AllList().shrink_to_fit();
    const size_t after = HeapInUse();
    delete doc;
    return static_cast<double>(after - before) / count;
}

void PrintFigure(double perRecord, double target) {
    std::printf("  %6.0f (at most %3.0f: %-6s)", perRecord, target,
                perRecord <= target ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {100000, 1000000};

    std::printf("sizeof(CListData)  %zu bytes\n", sizeof(torvane::CListData));
    std::printf("bytes per record   path only                      with tags\n");
    for (const int count : counts) {
        if (count <= 0)
            continue;
        std::printf("%9d        ", count);
        PrintFigure(BytesPerRecord(count, false), PathOnlyTarget);
        PrintFigure(BytesPerRecord(count, true), TaggedTarget);
        std::printf("\n");
    }
    std::printf("(the targets are set for 1,000,000 records)\n");
    return 0;
}
