#pragma once

#include <pthread.h>

namespace torvane {

// A lock that threads take for every file and hold only for a few instructions. A thread that
// finds it taken spins a little before it sleeps: the holder lets go within that time, while a
// sleep and the wake-up that ends it cost tens of microseconds (more on a virtual machine), and
// threads that sleep on each other's locks fall into step, sleeping at nearly every file.
// Usable with std::lock_guard and std::unique_lock; waits on it go through
// std::condition_variable_any.
class CShortLock {
public:
    CShortLock() = default;
    ~CShortLock() { ::pthread_mutex_destroy(&m_Mutex); }
    CShortLock(const CShortLock&) = delete;
    CShortLock& operator=(const CShortLock&) = delete;

    void lock() { ::pthread_mutex_lock(&m_Mutex); }
    bool try_lock() { return ::pthread_mutex_trylock(&m_Mutex) == 0; }
    void unlock() { ::pthread_mutex_unlock(&m_Mutex); }

private:
#ifdef PTHREAD_ADAPTIVE_MUTEX_INITIALIZER_NP
    pthread_mutex_t m_Mutex = PTHREAD_ADAPTIVE_MUTEX_INITIALIZER_NP;
#else
    pthread_mutex_t m_Mutex = PTHREAD_MUTEX_INITIALIZER; // a C library without spinning locks
#endif
};

} // namespace torvane
