// Times the list view over a list of 100,000 records: a scroll to a random place followed by a
// full synchronous repaint of the visible rows (all fifteen columns), page-by-page scrolling,
// giving the view its row count, and the selection texts of a select-all.
//
//   cmake -B build/bench -DTORVANE_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench --target torvane_bench_view
//   build/bench/bench/torvane_bench_view

#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/view/TorvaneView.h"
#include "gui/view/ViewSite.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using namespace torvane;

constexpr int Rows = 100'000;

class CQuietSite final : public CViewSite {
public:
    void SetSelectionText(int, const QString&, const QString&, const QIcon&) override {}
    void SetSelectedCountText(const QString&) override {}
    void SetItemCountText(const QString&) override {}
    bool IsSizeBarVisible() const override { return false; }
    void ShowSizeTotals(uint64_t, int64_t) override {}
    void FillDataBar(const CListData*) override {}
};

// A document of 100,000 records (no file is read) shown in a 1280 x 800 view of every column.
struct Scene {
    Scene() {
        Profile.Parse("[app]\nreadtag=0\ncolumns=ABCDEFGHIJKLMNO\n");
        Doc = std::make_unique<CTorvaneDoc>(Profile, Host);
        for (int i = 0; i < Rows; ++i) {
            const std::string path = "/home/user/Music/Artist " + std::to_string(i % 500) +
                                     "/Album " + std::to_string(i % 37) + "/" +
                                     std::to_string(i % 20 + 1) + " Title of track " +
                                     std::to_string(i) + ".mp3";
            Doc->AddFile(path, true);
            Doc->AllList().back()->SetSize(1'000'000 + i * 37);
            Doc->AllList().back()->SetTime(100 + i % 400);
        }
        View = std::make_unique<CTorvaneView>(*Doc, Profile, Host.Icons(), Site);
        Doc->SetView(View.get());
        Doc->UpdateItemCount();
        View->resize(1280, 800);
        View->show();
        QApplication::processEvents();
    }

    CProfile Profile;
    CQtUiHost Host;
    CQuietSite Site;
    std::unique_ptr<CTorvaneDoc> Doc;
    std::unique_ptr<CTorvaneView> View;
};

Scene* TheScene = nullptr;

void BM_ScrollToRandomPlaceAndRepaint(benchmark::State& state) {
    CTorvaneView& view = *TheScene->View;
    QScrollBar* bar = view.verticalScrollBar();
    std::mt19937 random(1);
    std::uniform_int_distribution<int> place(0, bar->maximum());
    for (auto _ : state) {
        bar->setValue(place(random));
        view.viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScrollToRandomPlaceAndRepaint)->Unit(benchmark::kMillisecond);

void BM_PageDownAndRepaint(benchmark::State& state) {
    CTorvaneView& view = *TheScene->View;
    QScrollBar* bar = view.verticalScrollBar();
    bar->setValue(0);
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        if (bar->value() == bar->maximum())
            bar->setValue(0);
        view.viewport()->repaint();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageDownAndRepaint)->Unit(benchmark::kMillisecond);

// The count drops to 0 and comes back, as when a list is cleared and gathered again.
void BM_GiveTheViewItsCount(benchmark::State& state) {
    CTorvaneView& view = *TheScene->View;
    for (auto _ : state) {
        view.SetItemCount(0);
        view.SetItemCount(Rows);
    }
}
BENCHMARK(BM_GiveTheViewItsCount)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndSelectionTexts(benchmark::State& state) {
    CTorvaneView& view = *TheScene->View;
    for (auto _ : state) {
        view.selectAll();
        view.clearSelection();
    }
}
BENCHMARK(BM_SelectAllAndSelectionTexts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Scene scene;
    TheScene = &scene;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
