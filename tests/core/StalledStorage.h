#pragma once

#include "core/base/OffThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace torvane::test {

// Makes every status query, listing and opening wait a while, as a network share does: the
// readers then read many files at once. One at a time, and not beside a CStalledPath.
class CSlowStorage {
public:
    explicit CSlowStorage(std::chrono::microseconds delay) {
        Delay() = delay;
        storage_testing::BeforeCall = &Wait;
    }
    ~CSlowStorage() { storage_testing::BeforeCall = nullptr; }
    CSlowStorage(const CSlowStorage&) = delete;
    CSlowStorage& operator=(const CSlowStorage&) = delete;

private:
    static std::chrono::microseconds& Delay() {
        static std::chrono::microseconds delay{0};
        return delay;
    }
    static void Wait(const char*) { std::this_thread::sleep_for(Delay()); }
};

// Holds every status query and listing of one path until released, as a network share that
// stopped answering would. One at a time; released (and the seam removed) at the end of scope.
class CStalledPath {
public:
    explicit CStalledPath(std::string path) {
        State().Path = std::move(path);
        State().Released = false;
        storage_testing::BeforeCall = &Stall;
    }
    ~CStalledPath() {
        Release();
        std::unique_lock guard(State().Lock);
        State().Changed.wait(guard, [] { return State().Stalled == 0; });
        storage_testing::BeforeCall = nullptr;
    }
    CStalledPath(const CStalledPath&) = delete;
    CStalledPath& operator=(const CStalledPath&) = delete;

    // Whether a call is held now.
    bool Holding() const {
        const std::lock_guard guard(State().Lock);
        return State().Stalled > 0;
    }
    // Whether a call was ever held.
    bool Held() const {
        const std::lock_guard guard(State().Lock);
        return State().EverStalled;
    }
    void Release() {
        const std::lock_guard guard(State().Lock);
        State().Released = true;
        State().Changed.notify_all();
    }

private:
    struct Shared {
        std::mutex Lock;
        std::condition_variable Changed;
        std::string Path;
        bool Released = false;
        bool EverStalled = false;
        int Stalled = 0;
    };
    static Shared& State() {
        static Shared shared;
        return shared;
    }
    static void Stall(const char* path) {
        Shared& state = State();
        std::unique_lock guard(state.Lock);
        if (state.Released || path != state.Path)
            return;
        ++state.Stalled;
        state.EverStalled = true;
        // A bound, so that a fault in the code under test fails the test instead of hanging it.
        state.Changed.wait_for(guard, std::chrono::seconds(60), [&] { return state.Released; });
        --state.Stalled;
        state.Changed.notify_all();
    }
};

} // namespace torvane::test
