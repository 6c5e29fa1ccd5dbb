#include "core/base/TextPool.h"

#include "core/base/ShortLock.h"

#include <array>
#include <functional>
#include <mutex>
#include <unordered_set>

namespace torvane {

const std::string& PooledText(std::string_view text) {
    static const std::string empty;
    if (text.empty())
        return empty;
    // Each thread remembers texts it pooled lately, so the same few texts need no lock.
    thread_local std::array<const std::string*, 64> recent{};
    const size_t hash = std::hash<std::string_view>{}(text);
    const std::string*& slot = recent[hash % recent.size()];
    if (slot && *slot == text)
        return *slot;
    static CShortLock lock;
    // A node set: its elements never move, so references stay valid as it grows.
    static std::unordered_set<std::string> pool;
    const std::lock_guard guard(lock);
    slot = &*pool.emplace(text).first;
    return *slot;
}

} // namespace torvane
