#include "core/base/StorageGauge.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace torvane {
namespace {

// A call that slept a while waited on storage; one that kept its processor, however long it
// took, or came back at once did not.
TEST(StorageGauge, ACallWaitedWhenItSleptAWhile) {
    using Outcome = CStorageGauge::Outcome;
    const CStorageGauge::CCall slept;
    std::this_thread::sleep_for(CStorageGauge::LongCall * 2);
    EXPECT_EQ(slept.End(), Outcome::Waited);

    const CStorageGauge::CCall quick;
    EXPECT_EQ(quick.End(), Outcome::Quick);

    const CStorageGauge::CCall busy;
    const auto end = std::chrono::steady_clock::now() + CStorageGauge::LongCall * 2;
    while (std::chrono::steady_clock::now() < end) {
    }
    EXPECT_EQ(busy.End(), Outcome::Quick) << "computing is no wait on storage";

    const CStorageGauge::CCall untimed(false);
    std::this_thread::sleep_for(CStorageGauge::LongCall * 2);
    EXPECT_EQ(untimed.End(), Outcome::Untimed);
}

// The hiccups of a busy machine leave the storage fast; calls that wait one after another make
// it slow, once and for good.
TEST(StorageGauge, StorageIsSlowOnceSeveralCallsInARowWaited) {
    using Outcome = CStorageGauge::Outcome;
    CStorageGauge gauge;
    for (int round = 0; round < 10; ++round) {
        for (int i = 1; i < CStorageGauge::SlowCallsInARow; ++i) {
            EXPECT_FALSE(gauge.Count(Outcome::Waited));
            EXPECT_FALSE(gauge.Count(Outcome::Untimed)) << "untimed calls break no run";
        }
        EXPECT_FALSE(gauge.Count(Outcome::Quick));
    }
    EXPECT_FALSE(gauge.Slow());

    for (int i = 1; i < CStorageGauge::SlowCallsInARow; ++i)
        EXPECT_FALSE(gauge.Count(Outcome::Waited));
    EXPECT_TRUE(gauge.Count(Outcome::Waited)) << "the call that makes it slow says so";
    EXPECT_TRUE(gauge.Slow());
    EXPECT_FALSE(gauge.Count(Outcome::Quick)) << "it says so once";
    EXPECT_TRUE(gauge.Slow());
}

// Until the storage is slow one call in a few is timed; then every one.
TEST(StorageGauge, SomeCallsAreTimedUntilTheStorageIsSlow) {
    CStorageGauge gauge;
    int timed = 0;
    for (int i = 0; i < 10 * CStorageGauge::TimedEvery; ++i)
        timed += gauge.TimeNext() ? 1 : 0;
    EXPECT_EQ(timed, 10);
    while (!gauge.Count(CStorageGauge::Outcome::Waited)) {
    }
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(gauge.TimeNext());
}

} // namespace
} // namespace torvane
