#include "core/base/Progress.h"
#include "Fakes.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(Progress, PercentTextAndClampedBar) {
    CProgress progress;
    EXPECT_EQ(progress.PercentText(), " 0 %");
    EXPECT_EQ(progress.SetPos(42), 0);
    EXPECT_EQ(progress.PercentText(), "42%");
    EXPECT_EQ(progress.SetPos(150), 42);
    EXPECT_EQ(progress.PercentText(), "50%") << "the remainder shows above 100";
    EXPECT_EQ(progress.GetPos(), 100) << "while the bar stays full";
    progress.SetPos(100);
    EXPECT_EQ(progress.PercentText(), "100%");
    progress.SetPos(0);
    EXPECT_EQ(progress.PercentText(), "0%");
}

TEST(Progress, CancelIsSticky) {
    test::CFakeHost host;
    host.CancelAfter = 2;
    auto progress = host.OpenProgress();
    EXPECT_FALSE(progress->IsCancelled());
    EXPECT_TRUE(progress->IsCancelled());
    progress->SetPos(10);
    EXPECT_TRUE(progress->IsCancelled()) << "asking does not reset the flag";
    progress.reset();
    EXPECT_EQ(host.ProgressClosed, 1);
}

} // namespace
} // namespace torvane
