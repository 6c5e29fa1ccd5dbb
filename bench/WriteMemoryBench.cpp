// The heap that writing a list costs at its peak, per record: 1,000,000 records with paths and
// everyday tags written as M3U8 and as XSPF, with every allocation counted while the writer
// runs, next to the target of 64 bytes per record.
//
//   torvane_bench_write_memory [RECORDS [FOLDER]]

#include "SyntheticList.h"

#include "core/save/PlaylistWriter.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every block the program holds, counted by its usable size, and the most held at once.
std::atomic<size_t> g_Held{0};
std::atomic<size_t> g_Peak{0};

void* Allocate(size_t size, size_t alignment = 0) {
    void* block =
        alignment > alignof(std::max_align_t)
            ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
            : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        return nullptr;
    const size_t held = g_Held += malloc_usable_size(block);
    size_t peak = g_Peak.load(std::memory_order_relaxed);
    while (held > peak && !g_Peak.compare_exchange_weak(peak, held)) {
    }
    return block;
}

void Release(void* block) {
    if (block == nullptr)
        return;
    g_Held -= malloc_usable_size(block);
    std::free(block);
}

void* AllocateOrThrow(size_t size, size_t alignment = 0) {
    void* block = Allocate(size, alignment);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

// Writes the list to path and answers the most heap held beyond what was held before, per record.
double PeakPerRecord(torvane::CTorvaneDoc& doc, const std::string& path, int count) {
    const size_t before = g_Held.load();
    g_Peak = before;
    if (!torvane::WritePlaylistFile(doc, path, "")) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return static_cast<double>(g_Peak.load() - before) / count;
}

} // namespace

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, size_t) noexcept {
    Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    Release(block);
}
void operator delete(void* block, size_t, std::align_val_t) noexcept {
    Release(block);
}
void operator delete[](void* block, size_t, std::align_val_t) noexcept {
    Release(block);
}

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const std::string folder =
        argc > 2 ? argv[2] : "/tmp/torvane-write-bench-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);

    torvane::CQuietHost host;
    torvane::CProfile profile;
    torvane::CTorvaneDoc doc(profile, host);
    doc.Settings().readtag = 0;
    doc.Settings().TagOf = torvane::TagMode::Extended;
    for (int i = 0; i < count; ++i) {
        doc.AddFile("/home/user/Music/The Artist Number " + std::to_string(i % 500) +
                        "/An Album Called " + std::to_string(i % 5000) + "/" +
                        std::to_string(i % 12 + 1) + " A Song Title " + std::to_string(i) + ".mp3",
                    false);
        torvane::CListData* record = doc.AllList().back();
        record->FillFrom(torvane::TypicalTags(i));
        record->SetSize(5000000 + i);
        record->SetState(torvane::CListData::InfoRead, true);
    }
    doc.UpdateItemCount();

    std::printf("records  %d\n", count);
    std::printf("peak extra heap while writing, per record (target at most 64 bytes)\n");
    for (const char* name : {"list.m3u8", "list.xspf"}) {
        const std::string path = folder + "/" + name;
        const double perRecord = PeakPerRecord(doc, path, count);
        struct stat st {};
        ::stat(path.c_str(), &st);
        std::printf("  %-10s %8.1f bytes  %s  (file %.1f MB)\n", name, perRecord,
                    perRecord <= 64 ? "met   " : "MISSED", static_cast<double>(st.st_size) / 1e6);
        std::filesystem::remove(path);
    }
    if (argc <= 2)
        std::filesystem::remove(folder);
    return 0;
}
