// List operations on synthetic lists of 100,000 records: sorting (against std::stable_sort over
// the same precomputed keys), the duplicate check and a three-term search; and how the sorts, the
// search and the duplicate check grow from 10,000 over 100,000 to 1,000,000 records, with the
// 1,000,000 / 100,000 ratio of each printed after the runs.

#include "SyntheticList.h"

#include "core/base/AsciiText.h"
#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"
#include "core/listops/Sorting.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace torvane {
namespace {

CQuietHost& QuietHost() {
    static CQuietHost host;
    return host;
}

// One list per length, built the first time a benchmark asks for it.
CSyntheticList& List(int count = RecordCount) {
    static std::map<int, std::unique_ptr<CSyntheticList>> lists;
    std::unique_ptr<CSyntheticList>& list = lists[count];
    if (!list)
        list = std::make_unique<CSyntheticList>(QuietHost(), count);
    return *list;
}

// A growth benchmark (sized) has the length of its list as its argument; the others use
// RecordCount.
int CountOf(const benchmark::State& state, bool sized) {
    return sized ? static_cast<int>(state.range(0)) : RecordCount;
}

void BM_SortAll(benchmark::State& state, ColumnKey key, bool disNum, bool sized = false) {
    CSyntheticList& list = List(CountOf(state, sized));
    list.Doc().Settings().DisNum = disNum;
    for (auto _ : state) {
        state.PauseTiming();
        list.Restore();
        state.ResumeTiming();
        SortAll(list.Doc(), key, false);
    }
    list.Doc().Settings().DisNum = false;
}

// The yardstick: std::stable_sort over the same keys, built (and folded) beforehand.
void BM_StableSortOfKeys(benchmark::State& state, ColumnKey key, bool disNum) {
    CSyntheticList& list = List();
    list.Restore();
    const SortKeyContext context{TagMode::Standard, disNum};
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

void RemoveDuplicatesOf(benchmark::State& state, CSyntheticList& list) {
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.Restore();
        state.ResumeTiming();
        removed = RemoveDuplicates(list.Doc());
    }
    state.counters["removed"] = removed;
}
void BM_RemoveDuplicates(benchmark::State& state) {
    RemoveDuplicatesOf(state, List());
}
void BM_RemoveDuplicatesSized(benchmark::State& state) {
    RemoveDuplicatesOf(state, List(CountOf(state, true)));
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond);

void SearchThreeTermsOf(benchmark::State& state, CSyntheticList& list) {
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
void BM_SearchThreeTerms(benchmark::State& state) {
    SearchThreeTermsOf(state, List());
}
void BM_SearchThreeTermsSized(benchmark::State& state) {
    SearchThreeTermsOf(state, List(CountOf(state, true)));
}
BENCHMARK(BM_SearchThreeTerms)->Unit(benchmark::kMillisecond);

// Growth: the same operations at three lengths. The longest list takes seconds per run and about
// a gigabyte, so it runs a single iteration per repetition.
constexpr int GrowthSmall = 10000;
constexpr int GrowthBase = 100000;
constexpr int GrowthLarge = 1000000;

// The fastest repetition: on a shared machine the others mostly measure the neighbours' load.
double Fastest(const std::vector<double>& times) {
    return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

void GrowthLengths(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(GrowthSmall)->Arg(GrowthBase)->Unit(benchmark::kMillisecond);
    benchmark->ComputeStatistics("min", Fastest);
}
void GrowthLargest(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(GrowthLarge)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark->ComputeStatistics("min", Fastest);
}

BENCHMARK_CAPTURE(BM_SortAll, GrowthTitle, ColTitle, false, true)->Apply(GrowthLengths);
BENCHMARK_CAPTURE(BM_SortAll, GrowthTitle, ColTitle, false, true)->Apply(GrowthLargest);
BENCHMARK_CAPTURE(BM_SortAll, GrowthPath, ColFilePath, false, true)->Apply(GrowthLengths);
BENCHMARK_CAPTURE(BM_SortAll, GrowthPath, ColFilePath, false, true)->Apply(GrowthLargest);
BENCHMARK(BM_SearchThreeTermsSized)->Name("BM_SearchThreeTerms/Growth")->Apply(GrowthLengths);
BENCHMARK(BM_SearchThreeTermsSized)->Name("BM_SearchThreeTerms/Growth")->Apply(GrowthLargest);
BENCHMARK(BM_RemoveDuplicatesSized)->Name("BM_RemoveDuplicates/Growth")->Apply(GrowthLengths);
BENCHMARK(BM_RemoveDuplicatesSized)->Name("BM_RemoveDuplicates/Growth")->Apply(GrowthLargest);

// The console report, keeping the CPU time of each growth run (the fastest repetition when
// there are several) for the ratios printed at the end.
class CGrowthReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            if (name.find("Growth") == std::string::npos || run.error_occurred)
                continue;
            const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
            if (run.run_type == Run::RT_Aggregate && !fastest)
                continue;
            // "family/length[/iterations:1][_min]"
            const size_t slash = name.find('/', name.find("Growth"));
            if (slash == std::string::npos)
                continue;
            const std::string family = name.substr(0, slash);
            const int length = std::atoi(name.c_str() + slash + 1);
            Entry& entry = m_Times[family][length];
            if (fastest || !entry.FromRepetitions) {
                // Without repetitions the single run counts; with them the fastest replaces it.
                entry.Cpu = run.GetAdjustedCPUTime();
                entry.FromRepetitions = fastest;
            }
        }
    }

    // Each family's times per length and the ratio of the longest list to the base one.
    void PrintGrowth() const {
        if (m_Times.empty())
            return;
        std::printf("\nGrowth (CPU ms; target: 1,000,000 within 12 x 100,000 for the sorts and "
                    "the search)\n");
        std::printf("%-44s %10s %10s %10s %8s\n", "", "10,000", "100,000", "1,000,000", "1M/100k");
        for (const auto& [family, times] : m_Times) {
            const auto at = [&times](int length) {
                const auto it = times.find(length);
                return it == times.end() ? -1.0 : it->second.Cpu;
            };
            const double base = at(GrowthBase);
            const double large = at(GrowthLarge);
            std::printf("%-44s %10.2f %10.2f %10.2f", family.c_str(), at(GrowthSmall), base, large);
            if (base > 0 && large > 0)
                std::printf(" %8.2f%s", large / base, large / base <= 12 ? "" : "  over 12");
            std::printf("\n");
        }
    }

private:
    struct Entry {
        double Cpu = -1;
        bool FromRepetitions = false;
    };
    std::map<std::string, std::map<int, Entry>> m_Times;
};

} // namespace
} // namespace torvane

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    torvane::CGrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintGrowth();
    benchmark::Shutdown();
    return 0;
}
