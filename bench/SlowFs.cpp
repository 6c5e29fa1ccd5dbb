// A read-only passthrough file system that makes storage slow, for benchmarks of gathering from
// a NAS or a USB disk: every lookup, status query, open, read and folder listing of the mounted
// tree waits a set time before it is answered, and is counted. Requests are answered on many
// threads at once, as a network server would, so that what a client keeps in flight shows.
//
//   bench_slowfs SOURCE MOUNTPOINT [--delay-us N] [--stats FILE] [--no-attr-cache]
//
// Runs in the foreground until unmounted (fusermount3 -u MOUNTPOINT); then writes to FILE (or
// stderr) one line "operations=N lookups=N stats=N opens=N reads=N listings=N max_in_flight=N".
// --no-attr-cache turns off the kernel's caching of names and attributes, as NFS with "noac"
// does, so that every metadata request reaches the file system.

#define FUSE_USE_VERSION 35
#include <fuse3/fuse.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Counters {
    std::atomic<long> Lookups{0}; // getattr of a name not open (the kernel's lookups)
    std::atomic<long> Stats{0};   // getattr of an open file
    std::atomic<long> Opens{0};
    std::atomic<long> Reads{0};
    std::atomic<long> Listings{0};
    std::atomic<int> InFlight{0};
    std::atomic<int> MaxInFlight{0};
};

struct Options {
    std::string Source;
    std::chrono::microseconds Delay{1000};
    std::string StatsPath;
};

Options g_Options;
Counters g_Counters;
int g_SourceFolder = -1;

// One request: counted, in flight while it waits, then answered.
class CRequest {
public:
    explicit CRequest(std::atomic<long>& counter) {
        counter.fetch_add(1, std::memory_order_relaxed);
        const int now = g_Counters.InFlight.fetch_add(1) + 1;
        int seen = g_Counters.MaxInFlight.load();
        while (now > seen && !g_Counters.MaxInFlight.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(g_Options.Delay);
    }
    ~CRequest() { g_Counters.InFlight.fetch_sub(1); }
    CRequest(const CRequest&) = delete;
    CRequest& operator=(const CRequest&) = delete;
};

// The path below the source folder: "/a/b" → "a/b", "/" → ".".
std::string Relative(const char* path) {
    std::string_view rest(path);
    while (!rest.empty() && rest.front() == '/')
        rest.remove_prefix(1);
    return rest.empty() ? std::string(".") : std::string(rest);
}

int GetAttributes(const char* path, struct stat* status, fuse_file_info* file) {
    const CRequest request(file ? g_Counters.Stats : g_Counters.Lookups);
    const int result =
        file ? ::fstat(static_cast<int>(file->fh), status)
             : ::fstatat(g_SourceFolder, Relative(path).c_str(), status, AT_SYMLINK_NOFOLLOW);
    return result == 0 ? 0 : -errno;
}

int Open(const char* path, fuse_file_info* file) {
    const CRequest request(g_Counters.Opens);
    if ((file->flags & O_ACCMODE) != O_RDONLY)
        return -EROFS;
    const int descriptor = ::openat(g_SourceFolder, Relative(path).c_str(), file->flags);
    if (descriptor < 0)
        return -errno;
    file->fh = static_cast<uint64_t>(descriptor);
    return 0;
}

int Read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    const CRequest request(g_Counters.Reads);
    const ssize_t got = ::pread(static_cast<int>(file->fh), buffer, size, offset);
    return got < 0 ? -errno : static_cast<int>(got);
}

int Release(const char*, fuse_file_info* file) {
    ::close(static_cast<int>(file->fh));
    return 0;
}

int ReadFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
               fuse_readdir_flags) {
    const CRequest request(g_Counters.Listings);
    const int descriptor =
        ::openat(g_SourceFolder, Relative(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return -errno;
    DIR* folder = ::fdopendir(descriptor);
    if (!folder) {
        ::close(descriptor);
        return -errno;
    }
    while (const dirent* entry = ::readdir(folder)) {
        struct stat status {};
        status.st_ino = entry->d_ino;
        status.st_mode = static_cast<mode_t>(DTTOIF(entry->d_type));
        if (fill(buffer, entry->d_name, &status, 0, static_cast<fuse_fill_dir_flags>(0)) != 0)
            break;
    }
    ::closedir(folder);
    return 0;
}

void* Initialise(fuse_conn_info* connection, fuse_config* config) {
    // Inode numbers of the source, so that a client's stamps (device, inode) stay steady.
    config->use_ino = 1;
    // The kernel sends at most 12 reads of the page cache at once unless told more: a network
    // file system's client keeps far more in flight.
    connection->max_background = 256;
    connection->congestion_threshold = 192;
    return nullptr;
}

void WriteStats() {
    FILE* out = g_Options.StatsPath.empty() ? stderr : std::fopen(g_Options.StatsPath.c_str(), "w");
    if (!out)
        return;
    const long operations = g_Counters.Lookups + g_Counters.Stats + g_Counters.Opens +
                            g_Counters.Reads + g_Counters.Listings;
    std::fprintf(out,
                 "operations=%ld lookups=%ld stats=%ld opens=%ld reads=%ld listings=%ld "
                 "max_in_flight=%d\n",
                 operations, g_Counters.Lookups.load(), g_Counters.Stats.load(),
                 g_Counters.Opens.load(), g_Counters.Reads.load(), g_Counters.Listings.load(),
                 g_Counters.MaxInFlight.load());
    if (out != stderr)
        std::fclose(out);
}

int Usage() {
    std::fprintf(stderr, "usage: bench_slowfs SOURCE MOUNTPOINT [--delay-us N] [--stats FILE] "
                         "[--no-attr-cache]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    g_Options.Source = argv[1];
    bool attributeCache = true;
    for (int i = 3; i < argc; ++i) {
        const std::string_view option(argv[i]);
        if (option == "--delay-us" && i + 1 < argc)
            g_Options.Delay = std::chrono::microseconds(std::atol(argv[++i]));
        else if (option == "--stats" && i + 1 < argc)
            g_Options.StatsPath = argv[++i];
        else if (option == "--no-attr-cache")
            attributeCache = false;
        else
            return Usage();
    }
    g_SourceFolder = ::open(g_Options.Source.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (g_SourceFolder < 0) {
        std::perror(g_Options.Source.c_str());
        return 1;
    }

    fuse_operations operations{};
    operations.getattr = GetAttributes;
    operations.open = Open;
    operations.read = Read;
    operations.release = Release;
    operations.readdir = ReadFolder;
    operations.init = Initialise;

    // Foreground, many threads (the library runs at most 10 unless told), read-only; the kernel
    // may keep names and attributes for a second unless told not to.
    std::string mountOptions = "ro,fsname=slowfs,max_idle_threads=64,max_threads=256";
    if (!attributeCache)
        mountOptions += ",attr_timeout=0,entry_timeout=0,negative_timeout=0";
    std::vector<char*> arguments = {argv[0], argv[2], const_cast<char*>("-f"),
                                    const_cast<char*>("-o"), mountOptions.data()};
    const int status =
        fuse_main(static_cast<int>(arguments.size()), arguments.data(), &operations, nullptr);
    WriteStats();
    return status;
}
