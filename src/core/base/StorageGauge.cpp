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

CStorageGauge::CCall::CCall() : m_Start(std::chrono::steady_clock::now()), m_Sleeps(Sleeps()) {}

bool CStorageGauge::CCall::Waited() const {
    return std::chrono::steady_clock::now() - m_Start >= LongCall && Sleeps() > m_Sleeps;
}

bool CStorageGauge::Count(bool waited) {
    if (m_Slow)
        return false;
    m_InARow = waited ? m_InARow + 1 : 0;
    m_Slow = m_InARow >= SlowCallsInARow;
    return m_Slow;
}

} // namespace torvane
