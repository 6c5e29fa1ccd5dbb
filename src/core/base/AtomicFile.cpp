#include "core/base/AtomicFile.h"

#include "core/base/Paths.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {

namespace atomic_file_testing {
void (*HalfWritten)() = nullptr;
bool NamedTemporaryOnly = false;
} // namespace atomic_file_testing

namespace {

constexpr std::string_view TemporaryPrefix = ".torvane-";
constexpr int MaxLinkHops = 40;
// A temporary file of the older kind, named without the writer's process, is only taken for
// left behind once it is this old.
constexpr time_t OldTemporaryAge = 24 * 60 * 60;
// Answered by an attempt with an unnamed temporary file that cannot work here.
constexpr int TryNamed = -1;

bool Fail(std::string& error, const std::string& path, int code) {
    error = path + ": " + std::strerror(code);
    return false;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool WriteContent(int fd, std::string_view content) {
    const size_t half = content.size() / 2;
    if (!WriteAll(fd, content.substr(0, half)))
        return false;
    if (atomic_file_testing::HalfWritten)
        atomic_file_testing::HalfWritten();
    return WriteAll(fd, content.substr(half));
}

// The name a path finally stands for: symbolic links are followed (a relative one from its own
// folder) up to the first name that is not a link, which may not exist yet.
int ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return errno;
        if (static_cast<size_t>(n) >= link.size())
            return ENAMETOOLONG;
        link.resize(static_cast<size_t>(n));
        const std::string folder = FolderOf(target);
        target = link.front() == '/' || folder.empty() ? link : JoinPath(folder, link);
    }
    return ELOOP;
}

std::string TemporaryName(std::string_view unique) {
    return std::string(TemporaryPrefix) + std::to_string(::getpid()) + "-" + std::string(unique);
}

bool IsUniquePart(std::string_view text) {
    if (text.size() != 6)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// Whether a name in a folder is a temporary file that its writer left behind: one of a process
// that is gone, or one of the older kind without a process that is a day old.
bool IsLeftTemporary(int folder, std::string_view name) {
    if (!name.starts_with(TemporaryPrefix))
        return false;
    name.remove_prefix(TemporaryPrefix.size());
    if (IsUniquePart(name)) {
        struct stat st {};
        return ::fstatat(folder, std::string(TemporaryPrefix).append(name).c_str(), &st,
                         AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISREG(st.st_mode) && st.st_mtime + OldTemporaryAge < ::time(nullptr);
    }
    const size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 ||
        !IsUniquePart(name.substr(dash + 1)))
        return false;
    pid_t pid = 0;
    for (const char c : name.substr(0, dash)) {
        if (c < '0' || c > '9')
            return false;
        pid = pid * 10 + (c - '0');
    }
    // EPERM: the process is there, of another user.
    return pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

void RemoveLeftTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsLeftTemporary(::dirfd(dir), entry->d_name))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Gives the new file the permissions, owner and group of the file it replaces as far as the
// system allows; a new file gets the usual 0666 less the umask.
void TakeOverAttributes(int fd, const struct stat* replaced, bool umaskApplied) {
    if (replaced == nullptr) {
        if (!umaskApplied) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
        }
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_uid != replaced->st_uid || st.st_gid != replaced->st_gid)) {
        // A user other than root may still give the file a group of their own.
        if (::fchown(fd, replaced->st_uid, replaced->st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), replaced->st_gid) != 0) {
        }
    }
    // After the owner: a change of owner clears the set-id bits.
    ::fchmod(fd, replaced->st_mode & 07777);
}

// Gives an unnamed file the name path; false with errno when it cannot be done.
bool LinkUnnamed(int fd, const std::string& path) {
    char proc[64];
    std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, proc, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int code = errno;
    if (code == EEXIST || code == ENOSPC || code == EDQUOT || code == EROFS)
        return false;
    // Without /proc: allowed with the right to reach files by their handles.
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    errno = code;
    return false;
}

// Links an unnamed file under a temporary name of ours in folder.
bool LinkUnderTemporaryName(int fd, const std::string& folder, std::string& temp) {
    static const char Digits[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    uint64_t seed = static_cast<uint64_t>(now.tv_nsec) ^ (static_cast<uint64_t>(now.tv_sec) << 20);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[7] = {};
        for (char& c : std::span(unique, 6)) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            c = Digits[(seed >> 33) % 62];
        }
        temp = JoinPath(folder, TemporaryName(unique));
        if (LinkUnnamed(fd, temp))
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Writes content to a temporary file in folder and renames it to target: an unnamed one, or
// with unnamed false one named as ours. Answers 0, an errno, or TryNamed.
int ReplaceRegularFile(const std::string& folder, const std::string& target,
                       const struct stat* replaced, std::string_view content, bool unnamed) {
    std::string temp = unnamed ? std::string() : JoinPath(folder, TemporaryName("XXXXXX"));
    const int fd = unnamed ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                           : ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return unnamed ? TryNamed : errno;
    TakeOverAttributes(fd, replaced, unnamed);
    if (!WriteContent(fd, content) || ::fsync(fd) != 0) {
        const int code = errno;
        ::close(fd);
        if (!unnamed)
            ::unlink(temp.c_str());
        return code;
    }
    if (unnamed) {
        // A new file takes its name at once; an old one is replaced through a temporary name.
        const bool placed = replaced == nullptr && LinkUnnamed(fd, target);
        if (!placed && !LinkUnderTemporaryName(fd, folder, temp)) {
            ::close(fd);
            return TryNamed;
        }
        if (placed) {
            ::close(fd);
            return 0;
        }
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return code;
    }
    return 0;
}

// Makes the new name in folder last through a crash.
int SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0; // a folder that can be written but not read: nothing to sync it through
    const int code = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return code;
}

// A device or named pipe is written as it is. Opening does not wait for a pipe's reader; a
// reader that goes away fails the write instead of ending the program.
int WriteInPlace(const std::string& target, std::string_view content) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    sigset_t pipeSignal, previousMask, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    const bool alreadyPending = ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE);
    const bool written = WriteContent(fd, content);
    int code = written ? 0 : errno;
    if (code == EPIPE && !alreadyPending) {
        const timespec none{};
        ::sigtimedwait(&pipeSignal, nullptr, &none);
    }
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

int WriteResolved(const std::string& target, std::string_view content) {
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        // Root may write anything: a file that nobody may write is refused all the same.
        if ((st.st_mode & 0222) == 0)
            return EACCES;
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return errno;
        if (!S_ISREG(st.st_mode))
            return WriteInPlace(target, content);
    }
    const std::string named = FolderOf(target);
    const std::string folder = named.empty() ? "." : named;
    RemoveLeftTemporaries(folder);
    int code = atomic_file_testing::NamedTemporaryOnly
                   ? TryNamed
                   : ReplaceRegularFile(folder, target, exists ? &st : nullptr, content, true);
    if (code == TryNamed)
        code = ReplaceRegularFile(folder, target, exists ? &st : nullptr, content, false);
    return code != 0 ? code : SyncFolder(folder);
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
    std::string target;
    int code = ResolveLinks(path, target);
    if (code == 0)
        code = WriteResolved(target, content);
    return code == 0 || Fail(error, path, code);
}

bool RemoveFileKeepingLinks(const std::string& path, std::string& error) {
    std::string target;
    int code = ResolveLinks(path, target);
    if (code == 0 && ::unlink(target.c_str()) != 0 && errno != ENOENT)
        code = errno;
    return code == 0 || Fail(error, path, code);
}

bool CreateParentFolders(const std::string& path, std::string& error) {
    const std::string folder = FolderOf(path);
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/')
            continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

} // namespace torvane
