// List operations on synthetic lists of 100,000 records: sorting (against std::stable_sort over
// the same precomputed keys), the duplicate check and a three-term search.

#include "SyntheticList.h"

#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"
#include "core/listops/Sorting.h"
#include "core/media/AsciiText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace torvane {
namespace {

CQuietHost& QuietHost() {
    static CQuietHost host;
    return host;
}

CSyntheticList& List() {
    static CSyntheticList list(QuietHost());
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
