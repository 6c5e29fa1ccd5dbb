// The cost of the progress window: the search, the duplicate check and a 100,000-line list-file
// load, each through the plain host of headless runs and through the desktop program's host
// (real progress windows over a main window, offscreen), in the same run. Prints the median
// CPU and wall times of each and the ratio of the desktop host to the plain one.
//
//   build/bench/bench/torvane_bench_progress [repetitions]

#include "SyntheticList.h"
#include "UnattendedQtHost.h"

#include "core/gather/ListFileReader.h"
#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"

#include <QApplication>
#include <QMainWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

using namespace torvane;

struct Timing {
    double CpuMs;
    double WallMs;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs prepare (untimed) and then work (timed) repetitions times; answers the medians.
Timing Measure(int repetitions, const std::function<void()>& prepare,
               const std::function<void()>& work) {
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const std::clock_t cpuStart = std::clock();
        const auto wallStart = std::chrono::steady_clock::now();
        work();
        wall.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart)
                .count());
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    return {Median(cpu), Median(wall)};
}

void Report(const char* name, Timing plain, Timing desktop) {
    std::printf("%-28s %10.1f %10.1f %10.1f %10.1f %8.2f %8.2f\n", name, plain.CpuMs, plain.WallMs,
                desktop.CpuMs, desktop.WallMs, desktop.CpuMs / plain.CpuMs,
                desktop.WallMs / plain.WallMs);
}

// A list file of RecordCount absolute paths of files that need not exist (nothing is read).
std::string WriteListFile(const std::filesystem::path& folder) {
    const std::string path = folder / "list.m3u";
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < RecordCount; ++i)
        out << "/music/artist" << i % 500 << "/album" << i % 10 << "/" << i << " song.mp3\r\n";
    return path;
}

void CompareSearch(CSyntheticList& plain, CSyntheticList& desktop, int repetitions) {
    SearchRequest request;
    SplitSearchTerms(request, "love artist12 1");
    const auto time = [&](CSyntheticList& list) {
        list.Restore();
        return Measure(
            repetitions, [] {}, [&] { RunSearch(list.Doc(), request); });
    };
    Report("search, three terms", time(plain), time(desktop));
}

void CompareDuplicates(CSyntheticList& plain, CSyntheticList& desktop, int repetitions) {
    const auto time = [&](CSyntheticList& list) {
        return Measure(
            repetitions, [&] { list.Restore(); }, [&] { RemoveDuplicates(list.Doc()); });
    };
    Report("duplicate check", time(plain), time(desktop));
}

void CompareListFile(CUiHost& plainHost, CUiHost& desktopHost, int repetitions) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("torvane-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = WriteListFile(folder);
    const auto time = [&](CUiHost& host) {
        CProfile profile;
        std::unique_ptr<CTorvaneDoc> doc;
        return Measure(
            repetitions,
            [&] {
                doc = std::make_unique<CTorvaneDoc>(profile, host);
                doc->Settings().readtag = 0;
            },
            [&] { ReadListFile(*doc, path, nullptr, 100); });
    };
    Report("list file, 100,000 lines", time(plainHost), time(desktopHost));
    std::filesystem::remove_all(folder);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    QMainWindow window;
    window.resize(800, 600);
    window.show();
    CQuietHost plainHost;
    CUnattendedQtHost desktopHost;
    desktopHost.SetMainWindow(&window);
    CSyntheticList plain(plainHost);
    CSyntheticList desktop(desktopHost);

    std::printf("%-28s %10s %10s %10s %10s %8s %8s\n", "median of runs, ms", "plain cpu",
                "plain wall", "qt cpu", "qt wall", "cpu x", "wall x");
    CompareSearch(plain, desktop, repetitions);
    CompareDuplicates(plain, desktop, repetitions);
    CompareListFile(plainHost, desktopHost, repetitions);
    return 0;
}
