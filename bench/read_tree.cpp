// Reads the information of every audio file below a folder, as adding files with tags read on
// load does, and compares it with the floor any reader pays: opening each file and reading its
// first 4 KB and last 128 bytes. Prints files per second of both and their ratio, for each
// extension (so for each reader) and for all files. Then gathers the whole folder as the program
// does ("フォルダを開く" with tags read on load, files read ahead on the default threads), once
// with an empty tag cache, against the floor (wall and processor time), and once with a full one,
// against a plain status query of every file; each round of gathering follows a round of what it
// is compared with.
//
//   bench_read_tree DIR [ROUNDS]
//   bench_read_tree --once floor|gather DIR SOURCE
//
// The second form does one thing once, for a fresh mount of a slow file system (see
// slow_storage.sh): the floor (opening and reading each file in turn, the files named by the
// same paths below SOURCE, so that nothing is listed on DIR) or one gathering with an empty tag
// cache; it prints the seconds and the files.

#include "SyntheticList.h"

#include "core/gather/Gathering.h"
#include "core/reading/ReadAhead.h"
#include "core/reading/TagCache.h"
#include "core/record/ListData.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Processor seconds of every thread of this process so far.
double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The best of several rounds: files per second, and processor seconds per file.
struct Rate {
    double FilesPerSecond = 0;
    double CpuPerFile = 1e9;

    void Take(const Rate& round) {
        FilesPerSecond = std::max(FilesPerSecond, round.FilesPerSecond);
        CpuPerFile = std::min(CpuPerFile, round.CpuPerFile);
    }
    void Take(size_t files, double seconds, double cpu) {
        Take(Rate{static_cast<double>(files) / seconds, cpu / static_cast<double>(files)});
    }
};

std::vector<std::string> AudioFiles(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        const std::string ext = entry.path().extension().string();
        for (const char* audio :
             {".mp3", ".wav", ".ogg", ".wma", ".flac", ".opus", ".m4a", ".aif", ".aiff"})
            if (ext == audio)
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

size_t ReadFloor(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char head[4096];
    char tail[128];
    size_t total = static_cast<size_t>(std::max<ssize_t>(0, ::pread(fd, head, sizeof head, 0)));
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size > 128)
        total += static_cast<size_t>(std::max<ssize_t>(0, ::pread(fd, tail, 128, size - 128)));
    ::close(fd);
    return total;
}

size_t ReadInfo(const std::string& path, const torvane::CTextCodec& codec) {
    torvane::CListData record;
    record.SetPath(path);
    record.ReadInfo(codec);
    return static_cast<size_t>(record.Time());
}

// Lists every folder below folder and asks the status of each of its entries relative to it, as
// `du` or `find -size` do; answers the regular files met.
size_t StatWalk(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    size_t files = 0;
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        struct stat st {};
        if (name == "." || name == ".." ||
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            subfolders.push_back(folder + "/" + entry->d_name);
        else if (S_ISREG(st.st_mode))
            ++files;
    }
    ::closedir(dir);
    for (const std::string& subfolder : subfolders)
        files += StatWalk(subfolder);
    return files;
}

size_t StatFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// "フォルダを開く" on root with tags read on load and the given cache; answers the seconds the
// scan took (the cache is read during it; writing it afterwards is not counted), and in cpu the
// processor seconds of all threads meanwhile.
double GatherSeconds(const std::string& root, const std::string& cachePath, size_t& records,
                     double* cpu = nullptr) {
    torvane::CQuietHost host;
    torvane::CProfile profile;
    torvane::CTorvaneDoc doc(profile, host);
    doc.Settings().readtag = torvane::DocSettings::ReadTags;
    if (std::getenv("TORVANE_NO_READ"))
        doc.Settings().readtag = 0;
    if (const char* threads = std::getenv("TORVANE_READ_THREADS"))
        doc.Settings().ReadThreads = std::atoi(threads);
    doc.UseTagCache(std::make_unique<torvane::CTagCache>(cachePath, "CP932"));
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds();
    torvane::OpenFolder(doc, root);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    if (cpu)
        *cpu = CpuSeconds() - cpuStart;
    records = doc.AllList().size();
    return elapsed.count();
}

// Best of several rounds.
template <typename Work>
Rate Measure(const std::vector<std::string>& files, int rounds, Work work) {
    Rate best;
    size_t sink = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        const double cpu = CpuSeconds();
        for (const std::string& file : files)
            sink += work(file);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        best.Take(files.size(), elapsed.count(), CpuSeconds() - cpu);
    }
    if (sink == 1)
        std::puts(""); // keeps the work from being optimised away
    return best;
}

template <typename Work>
double FilesPerSecond(const std::vector<std::string>& files, int rounds, Work work) {
    return Measure(files, rounds, work).FilesPerSecond;
}

struct Rates {
    std::vector<Rate> References;
    Rate Gathering;
};

// Best of several rounds of gathering root and of each reference work (answering one round's
// rate). They take turns, so that all meet the machine in the same state: its speed drifts by
// more than the margins measured. The cache file is removed before each gathering unless full
// is set (then a first, unmeasured gathering fills it). Without references (for profiling) only
// the gathering runs.
Rates GatherBeside(const std::string& root, int rounds, bool full,
                   const std::vector<std::function<Rate()>>& references) {
    // In memory where it can be: the cache written after each round would otherwise be flushed
    // to disk during the next one.
    const std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    const std::string cachePath = folder + "/torvane-bench-tags.cache";
    ::unlink(cachePath.c_str());
    size_t records = 0;
    if (full)
        GatherSeconds(root, cachePath, records);
    Rates best;
    best.References.resize(references.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < references.size(); ++i)
            best.References[i].Take(references[i]());
        if (!full)
            ::unlink(cachePath.c_str());
        double cpu = 0;
        const double seconds = GatherSeconds(root, cachePath, records, &cpu);
        best.Gathering.Take(records, seconds, cpu);
    }
    ::unlink(cachePath.c_str());
    return best;
}

// One round of walking root with StatWalk, per audio file.
Rate WalkRate(const std::string& root, size_t audioFiles) {
    const auto start = Clock::now();
    const double cpu = CpuSeconds();
    if (StatWalk(root) < audioFiles)
        std::fprintf(stderr, "the walk met fewer files than there are\n");
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    Rate rate;
    rate.Take(audioFiles, elapsed.count(), CpuSeconds() - cpu);
    return rate;
}

// The --once form.
int RunOnce(const std::string& what, const std::string& root, const std::string& source) {
    const auto start = Clock::now();
    size_t files = 0;
    if (what == "floor") {
        for (const std::string& path : AudioFiles(source)) {
            ReadFloor(root + path.substr(source.size()));
            ++files;
        }
    } else if (what == "gather") {
        const std::string cachePath = "/tmp/torvane-bench-once.cache";
        ::unlink(cachePath.c_str());
        GatherSeconds(root, cachePath, files);
        ::unlink(cachePath.c_str());
    } else {
        std::fprintf(stderr, "--once floor|gather\n");
        return 2;
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    std::printf("seconds=%.3f files=%zu\n", elapsed.count(), files);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string_view(argv[1]) == "--once")
        return RunOnce(argv[2], argv[3], argv[4]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::vector<std::string> files = AudioFiles(argv[1]);
    if (files.empty()) {
        std::fprintf(stderr, "no audio files below %s\n", argv[1]);
        return 1;
    }
    const torvane::CTextCodec codec;
    FilesPerSecond(files, 1, ReadFloor); // warm the cache
    const auto compare = [&](const char* label, const std::vector<std::string>& group) {
        const double floor = FilesPerSecond(group, rounds, ReadFloor);
        const double info =
            FilesPerSecond(group, rounds, [&](const std::string& f) { return ReadInfo(f, codec); });
        std::printf("%-6s %6zu files  floor %8.0f files/s  ReadInfo %8.0f files/s  %.2f x\n", label,
                    group.size(), floor, info, floor / info);
    };
    // Each reader on its own, then all together; the target is at most 2 x the floor, where the
    // floor is opening each file and reading its first 4 KB and last 128 bytes.
    std::map<std::string, std::vector<std::string>> byExtension;
    for (const std::string& file : files)
        byExtension[std::filesystem::path(file).extension().string()].push_back(file);
    // TORVANE_GATHER_ONLY leaves the readers out, for profiling the gathering alone.
    if (!std::getenv("TORVANE_GATHER_ONLY")) {
        for (const auto& [ext, group] : byExtension)
            compare(ext.c_str(), group);
        compare("all", files);
    }

    // The whole tree as the program gathers it.
    // TORVANE_FULL_ONLY runs only the gathering with a full cache, for profiling it.
    const bool fullOnly = std::getenv("TORVANE_FULL_ONLY");
    const std::string root = argv[1];
    const auto floor = [&] { return Measure(files, 1, ReadFloor); };
    const auto walk = [&] { return WalkRate(root, files.size()); };
    const auto statEach = [&] { return Measure(files, 1, StatFile); };
    const Rates empty = fullOnly ? Rates{{Rate{}}, {}} : GatherBeside(root, rounds, false, {floor});
    const Rates full = fullOnly ? GatherBeside(root, rounds, true, {})
                                : GatherBeside(root, rounds, true, {walk, statEach});
    std::printf("\ngathering %zu files, %d reading threads (best of %d rounds; CPU: processor "
                "time of all threads per file):\n",
                files.size(), torvane::CReadAhead::DefaultThreads(), rounds);
    const auto line = [](const char* label, const Rate& rate) {
        std::printf("  %-26s %8.0f files/s  CPU %5.1f us\n", label, rate.FilesPerSecond,
                    rate.CpuPerFile * 1e6);
    };
    line("floor (open, read)", empty.References[0]);
    line("cache empty", empty.Gathering);
    std::printf("    wall %.2f x the floor (target at most 1.5), CPU %.2f x (target at most 2)\n",
                empty.References[0].FilesPerSecond / empty.Gathering.FilesPerSecond,
                empty.Gathering.CpuPerFile / empty.References[0].CpuPerFile);
    if (fullOnly) {
        line("cache full", full.Gathering);
        return 0;
    }
    line("stat walk (list, stat)", full.References[0]);
    line("stat of each path listed", full.References[1]);
    line("cache full", full.Gathering);
    std::printf("    wall %.2f x the stat walk (target at most 1.2); %.2f x the stat of each "
                "path\n",
                full.References[0].FilesPerSecond / full.Gathering.FilesPerSecond,
                full.References[1].FilesPerSecond / full.Gathering.FilesPerSecond);
    return 0;
}
