#include "core/base/StorageGauge.h"

#include <sys/resource.h>

namespace torvane {
namespace {

// The times this thread gave up the processor of its own accord.
long Sleeps() {
    rusage usage{};
    return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_nvcsw : 0;
}

} // namespace

CStorageGauge::CCall::CCall(bool timed) : m_Timed(timed) {
    if (m_Timed) {
        m_Start = std::chrono::steady_clock::now();
        m_Sleeps = Sleeps();
    }
}

CStorageGauge::Outcome CStorageGauge::CCall::End() const {
    if (!m_Timed)
        return Outcome::Untimed;
    return std::chrono::steady_clock::now() - m_Start >= LongCall && Sleeps() > m_Sleeps
               ? Outcome::Waited
               : Outcome::Quick;
}

bool CStorageGauge::TimeNext() {
    if (m_Slow || ++m_Untimed == TimedEvery) {
        m_Untimed = 0;
        return true;
    }
    return false;
}

bool CStorageGauge::Count(Outcome outcome) {
    if (m_Slow || outcome == Outcome::Untimed)
        return false;
    m_InARow = outcome == Outcome::Waited ? m_InARow + 1 : 0;
    m_Slow = m_InARow >= SlowCallsInARow;
    return m_Slow;
}

} // namespace torvane
