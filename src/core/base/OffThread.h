#pragma once

#include <atomic>
#include <functional>

namespace torvane {

// Runs a call that may wait on storage (a status query, a folder listing, a read) on a thread of
// its own while the caller waits, giving keepWaiting a turn about every TurnMilliseconds: a
// window goes on repainting and hears its cancel button even when the storage never answers.
// Answers false when keepWaiting gave up (the call then finishes on its thread whenever the
// storage answers, so it must own whatever it touches) or when no thread could be started
// (then call did not run).
bool RunOffThread(std::function<void()> call, const std::function<bool()>& keepWaiting);

// Starts call on one of those threads and returns at once; false when no thread could be
// started (call did not run). The call owns whatever it touches.
bool StartOffThread(std::function<void()> call);

constexpr int TurnMilliseconds = 20;

// A seam for the tests of storage that does not answer; the program leaves it alone.
namespace storage_testing {
// Called with the path before each status query of a file and each folder listing (also on
// threads a test has left behind, hence atomic).
extern std::atomic<void (*)(const char* path)> BeforeCall;
} // namespace storage_testing

// Gives the seam its turn.
inline void BeforeStorageCall(const char* path) {
    if (const auto call = storage_testing::BeforeCall.load(std::memory_order_acquire))
        call(path);
}

} // namespace torvane
