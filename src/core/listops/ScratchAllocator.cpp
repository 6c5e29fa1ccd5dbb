#include "core/listops/ScratchAllocator.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace torvane {
namespace {

constexpr size_t HugePage = size_t{2} << 20;
// Smaller blocks come from the heap. Larger ones would too, but the heap maps them afresh at
// every sort once they pass its own threshold.
constexpr size_t SmallestMapped = size_t{256} << 10;

size_t RoundUp(size_t bytes) {
    return (bytes + HugePage - 1) & ~(HugePage - 1);
}

} // namespace

void* AllocateScratch(size_t bytes) {
    if (bytes < SmallestMapped)
        return ::operator new(bytes);
    // Mapped one huge page longer, so that an aligned block fits; the ends are given back.
    const size_t length = RoundUp(bytes);
    void* mapped = mmap(nullptr, length + HugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (start + HugePage - 1) & ~(HugePage - 1);
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const size_t tail = start + HugePage - aligned; tail > 0)
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* block = reinterpret_cast<void*>(aligned);
    // Only a hint: without huge pages the block works the same, in small pages.
    madvise(block, length, MADV_HUGEPAGE);
    return block;
}

void FreeScratch(void* block, size_t bytes) noexcept {
    if (bytes < SmallestMapped) {
        ::operator delete(block);
        return;
    }
    munmap(block, RoundUp(bytes));
}

} // namespace torvane
