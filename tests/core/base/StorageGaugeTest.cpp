#include "core/base/StorageGauge.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace torvane {
namespace {

// A call that slept a while waited on storage; one that kept its processor, however long it
// took, or came back at once did not.
TEST(StorageGauge, ACallWaitedWhenItSleptAWhile) {
    const CStorageGauge::CCall slept;
    std::this_thread::sleep_for(CStorageGauge::LongCall * 2);
    EXPECT_TRUE(slept.Waited());

    const CStorageGauge::CCall quick;
    EXPECT_FALSE(quick.Waited());

    const CStorageGauge::CCall busy;
    const auto end = std::chrono::steady_clock::now() + CStorageGauge::LongCall * 2;
    while (std::chrono::steady_clock::now() < end) {
    }
    EXPECT_FALSE(busy.Waited()) << "computing is no wait on storage";
}

// The hiccups of a busy machine leave the storage fast; calls that wait one after another make
// it slow, once and for good.
TEST(StorageGauge, StorageIsSlowOnceSeveralCallsInARowWaited) {
    CStorageGauge gauge;
    for (int round = 0; round < 10; ++round) {
        for (int i = 1; i < CStorageGauge::SlowCallsInARow; ++i)
            EXPECT_FALSE(gauge.Count(true));
        EXPECT_FALSE(gauge.Count(false));
    }
    EXPECT_FALSE(gauge.Slow());

    for (int i = 1; i < CStorageGauge::SlowCallsInARow; ++i)
        EXPECT_FALSE(gauge.Count(true));
    EXPECT_TRUE(gauge.Count(true)) << "the call that makes it slow says so";
    EXPECT_TRUE(gauge.Slow());
    EXPECT_FALSE(gauge.Count(false)) << "it says so once";
    EXPECT_TRUE(gauge.Slow());
}

} // namespace
} // namespace torvane
