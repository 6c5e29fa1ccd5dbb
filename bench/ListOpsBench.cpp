// List operations on synthetic lists of 100,000 records: sorting (against std::stable_sort over
// the same precomputed keys), the duplicate check and a three-term search.

#include "core/doc/Profile.h"
#include "core/doc/Progress.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"
#include "core/listops/Sorting.h"
#include "core/media/AsciiText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace torvane {
namespace {

constexpr int RecordCount = 100000;

class CQuietHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override { return std::make_unique<CProgress>(); }
};

// A document holding RecordCount read records in random order: 2,000 titles in mixed case (many
// equal keys), numbered file names, sizes from a small range (so that about a third of the
// records are duplicates of another).
class CSyntheticList {
public:
    CSyntheticList() : m_Doc(m_Profile, m_Host) {
        m_Doc.Settings().readtag = 0;
        std::mt19937 random(42);
        const char* words[] = {"Love", "song", "Night", "blue", "Rain", "dance", "Heart", "road"};
        for (int i = 0; i < RecordCount; ++i) {
            const int title = static_cast<int>(random() % 2000);
            const std::string name = std::to_string(random() % 20) + " " + words[title % 8] + " " +
                                     std::to_string(title);
            m_Doc.AddFile("/music/artist" + std::to_string(random() % 500) + "/album" +
                              std::to_string(random() % 10) + "/" + name + ".mp3",
                          false);
            CListData* record = m_Doc.AllList().back();
            MpegInfo info;
            info.StdTitle = name.substr(name.find(' ') + 1);
            info.StdArtist = "artist " + std::to_string(title % 37);
            info.StdAlbum = "album";
            info.BitRate = 128;
            info.TagFlags = MpegInfo::TagId3v1;
            record->FillFromMpeg(info);
            record->SetSize(4000000 + static_cast<int64_t>(random() % 50));
            record->SetState(CListData::InfoRead, true);
        }
        m_Order = m_Doc.AllList();
        // The saved order holds every record too, so that removals never delete one.
        for (CListData* record : m_Order)
            record->AddRef();
    }
    ~CSyntheticList() {
        for (size_t i = 0; i < m_Order.size(); ++i)
            m_Doc.ReleaseItem(m_Order, i);
    }

    CTorvaneDoc& Doc() { return m_Doc; }

    // Puts every record back into the all list in the first order.
    void Restore() {
        TrackList& list = m_Doc.AllList();
        for (size_t i = 0; i < list.size(); ++i)
            m_Doc.ReleaseItem(list, i);
        list = m_Order;
        for (CListData* record : list)
            record->AddRef();
    }

private:
    CProfile m_Profile;
    CQuietHost m_Host;
    CTorvaneDoc m_Doc;
    TrackList m_Order;
};

CSyntheticList& List() {
    static CSyntheticList list;
    return list;
}

void BM_SortAll(benchmark::State& state, int key, bool disNum) {
    CSyntheticList& list = List();
    list.Doc().Settings().DisNum = disNum;
    for (auto _ : state) {
        state.PauseTiming();
        list.Restore();
        state.ResumeTiming();
        SortAll(list.Doc(), key, false);
    }
    list.Doc().Settings().DisNum = 0;
}

// The yardstick: std::stable_sort over the same keys, built (and folded) beforehand.
void BM_StableSortOfKeys(benchmark::State& state, int key, bool disNum) {
    CSyntheticList& list = List();
    list.Restore();
    const SortKeyContext context{0, disNum};
    struct Entry {
        std::string Key;
        std::string Path;
    };
    std::vector<Entry> keys;
    for (const CListData* record : list.Doc().AllList())
        keys.push_back({LowerAscii(SortKeyText(*record, key, context)),
                        LowerAscii(SortKeyText(*record, ColFilePath, context))});
    std::vector<const Entry*> order;
    for (auto _ : state) {
        state.PauseTiming();
        order.clear();
        for (const Entry& entry : keys)
            order.push_back(&entry);
        state.ResumeTiming();
        std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
            const int r = a->Key.compare(b->Key);
            return r != 0 ? r < 0 : a->Path < b->Path;
        });
        benchmark::DoNotOptimize(order.data());
    }
}

BENCHMARK_CAPTURE(BM_SortAll, Title, ColTitle, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StableSortOfKeys, Title, ColTitle, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortAll, PathDisNum, ColFilePath, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StableSortOfKeys, PathDisNum, ColFilePath, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortAll, Size, ColSize, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StableSortOfKeys, Size, ColSize, false)->Unit(benchmark::kMillisecond);

void BM_RemoveDuplicates(benchmark::State& state) {
    CSyntheticList& list = List();
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.Restore();
        state.ResumeTiming();
        removed = RemoveDuplicates(list.Doc());
    }
    state.counters["removed"] = removed;
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond);

void BM_SearchThreeTerms(benchmark::State& state) {
    CSyntheticList& list = List();
    list.Restore();
    SearchRequest request;
    SplitSearchTerms(request, "love artist12 1");
    size_t hits = 0;
    for (auto _ : state) {
        RunSearch(list.Doc(), request);
        hits = list.Doc().SearchList().size();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchThreeTerms)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace torvane

BENCHMARK_MAIN();
