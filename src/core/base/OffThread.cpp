#include "core/base/OffThread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace torvane {

namespace storage_testing {
std::atomic<void (*)(const char* path)> BeforeCall{nullptr};
} // namespace storage_testing

namespace {

// One call and whether it is done, shared by the caller and the thread that runs it: whichever
// leaves last frees it.
struct Call {
    std::function<void()> Body;
    std::mutex Lock;
    std::condition_variable Finished;
    bool Done = false;
};

// Threads kept for such calls. A call the storage never answers keeps its thread for good, so a
// new thread starts whenever none is idle; an idle one waits for the next call, which spares
// starting a thread for every folder of a scan.
class CCallThreads {
public:
    // Answers false when the call found no thread and none could be started.
    bool Hand(std::shared_ptr<Call> call) {
        std::unique_lock guard(m_Lock);
        m_Calls.push_back(std::move(call));
        if (m_Idle > 0) {
            guard.unlock();
            m_Wake.notify_one();
            return true;
        }
        try {
            std::thread([this] { Serve(); }).detach();
        } catch (...) {
            m_Calls.pop_back();
            return false;
        }
        return true;
    }

private:
    void Serve() {
        std::unique_lock guard(m_Lock);
        for (;;) {
            ++m_Idle;
            m_Wake.wait(guard, [&] { return !m_Calls.empty(); });
            --m_Idle;
            const std::shared_ptr<Call> call = std::move(m_Calls.front());
            m_Calls.pop_front();
            guard.unlock();
            try {
                call->Body();
            } catch (...) {
                // Nothing may leave the thread; the call reports its own failures.
            }
            call->Body = nullptr; // what it holds goes now, not with the caller's last look
            {
                const std::lock_guard done(call->Lock);
                call->Done = true;
            }
            call->Finished.notify_all();
            guard.lock();
        }
    }

    std::mutex m_Lock;
    std::condition_variable m_Wake;
    std::deque<std::shared_ptr<Call>> m_Calls;
    int m_Idle = 0;
};

// Never destroyed: its threads may still wait on storage when the program ends.
CCallThreads* g_Threads = nullptr;

CCallThreads& Threads() {
    static const bool once = [] {
        g_Threads = new CCallThreads;
        // A child of fork has none of the threads (and maybe a lock held by one of them): it
        // starts afresh.
        ::pthread_atfork(nullptr, nullptr, [] { g_Threads = new CCallThreads; });
        return true;
    }();
    (void)once;
    return *g_Threads;
}

} // namespace

bool StartOffThread(std::function<void()> call) {
    try {
        auto state = std::make_shared<Call>();
        state->Body = std::move(call);
        return Threads().Hand(std::move(state));
    } catch (...) {
        return false; // memory ran out
    }
}

bool RunOffThread(std::function<void()> call, const std::function<bool()>& keepWaiting) {
    std::shared_ptr<Call> state;
    try {
        state = std::make_shared<Call>();
        state->Body = std::move(call);
        if (!Threads().Hand(state))
            return false;
    } catch (...) {
        return false; // memory ran out
    }
    std::unique_lock guard(state->Lock);
    for (;;) {
        if (state->Finished.wait_for(guard, std::chrono::milliseconds(TurnMilliseconds),
                                     [&] { return state->Done; }))
            return true;
        // The turn runs unlocked: it may handle window events for a while.
        guard.unlock();
        const bool goOn = keepWaiting();
        guard.lock();
        if (state->Done)
            return true;
        if (!goOn)
            return false;
    }
}

} // namespace torvane
