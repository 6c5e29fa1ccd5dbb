#pragma once

#include <cstddef>
#include <vector>

namespace torvane {

// Memory for the large temporary arrays of one list operation. Blocks of 2 MiB and more are
// mapped on their own and marked for huge pages: sorting 1,000,000 records fills over 100 MB
// of fresh scratch, and faulting that in page by page costs more than the sort itself.
void* AllocateScratch(size_t bytes);
void FreeScratch(void* block, size_t bytes) noexcept;

template <class T> struct ScratchAllocator {
    using value_type = T;

    ScratchAllocator() = default;
    template <class U> ScratchAllocator(const ScratchAllocator<U>&) noexcept {}

    // T may be a pointer: sizeof(T) is then meant to be the size of a pointer.
    // NOLINTBEGIN(bugprone-sizeof-expression)
    T* allocate(size_t count) { return static_cast<T*>(AllocateScratch(count * sizeof(T))); }
    void deallocate(T* block, size_t count) noexcept { FreeScratch(block, count * sizeof(T)); }
    // NOLINTEND(bugprone-sizeof-expression)

    friend bool operator==(const ScratchAllocator&, const ScratchAllocator&) { return true; }
};

template <class T> using ScratchVector = std::vector<T, ScratchAllocator<T>>;

} // namespace torvane
