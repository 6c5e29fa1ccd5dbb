#pragma once

#include <chrono>

namespace torvane {

// Tells from how calls to storage went whether it keeps requests waiting (a network share, a USB
// disk): then many calls are best kept in flight at once. A call waited on storage when its
// thread slept in it (blocked in a request, not merely preempted) and it took longer than an
// answer from memory ever takes. One such call may be a hiccup of a busy machine (a lock, a
// page fault, a neighbour's load); the storage counts as slow once several timed calls in a row
// waited, and stays so. Counted under the caller's lock.
class CStorageGauge {
public:
    enum class Outcome { Untimed, Quick, Waited };

    // Times one call, on the thread that makes it (unless told not to: asking the thread's
    // counts costs a system call, a good share of a call answered from memory).
    class CCall {
    public:
        explicit CCall(bool timed = true);
        // How the call, ending now, went.
        Outcome End() const;

    private:
        bool m_Timed;
        std::chrono::steady_clock::time_point m_Start;
        long m_Sleeps = 0;
    };

    // Whether to time the next call: every one once the storage is slow, else one in
    // TimedEvery.
    bool TimeNext();
    // Counts a call that ended; true when it made the storage count as slow.
    bool Count(Outcome outcome);
    bool Slow() const { return m_Slow; }

    static constexpr std::chrono::milliseconds LongCall{1};
    static constexpr int SlowCallsInARow = 4;
    static constexpr int TimedEvery = 4;

private:
    int m_Untimed = 0;
    int m_InARow = 0;
    bool m_Slow = false;
};

} // namespace torvane
