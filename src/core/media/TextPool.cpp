#include "TextPool.h"

#include <mutex>
#include <unordered_set>

namespace torvane {

const std::string& PooledText(std::string_view text) {
    static const std::string empty;
    if (text.empty())
        return empty;
    static std::mutex lock;
    // A node set: its elements never move, so references stay valid as it grows.
    static std::unordered_set<std::string> pool;
    const std::lock_guard guard(lock);
    return *pool.emplace(text).first;
}

} // namespace torvane
