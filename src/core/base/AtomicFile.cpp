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
#include <new>
#include <pthread.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace torvane {

namespace atomic_file_testing {
void (*HalfWritten)() = nullptr;
bool NamedTemporaryOnly = false;
bool UnnamedCannotBeNamed = false;
} // namespace atomic_file_testing

namespace {

constexpr std::string_view TemporaryPrefix = ".torvane-";
constexpr int MaxLinkHops = 40;
// A temporary file of the older kind, named without the writer's process, is only taken for
// left behind once it is this old.
constexpr time_t OldTemporaryAge = 24 * 60 * 60;
// What the writer gathers before it writes to the file.
constexpr size_t BufferSize = 64 * 1024;

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
    if (atomic_file_testing::UnnamedCannotBeNamed) {
        errno = EPERM;
        return false;
    }
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

// Makes the new name in folder last through a crash.
int SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0; // a folder that can be written but not read: nothing to sync it through
    const int code = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return code;
}

// Writes to a device or named pipe; a reader that goes away fails the write instead of ending
// the program.
bool WriteToDevice(int fd, std::string_view bytes) {
    sigset_t pipeSignal, previousMask, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    const bool alreadyPending = ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE);
    const bool written = WriteAll(fd, bytes);
    const int code = written ? 0 : errno;
    if (code == EPIPE && !alreadyPending) {
        const timespec none{};
        ::sigtimedwait(&pipeSignal, nullptr, &none);
    }
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    errno = code;
    return written;
}

} // namespace

CAtomicFile::CAtomicFile(std::string path) : m_Path(std::move(path)) {
    m_Error = Open();
    if (m_Error != 0)
        Discard();
}

CAtomicFile::~CAtomicFile() {
    Discard();
}

int CAtomicFile::Open() {
    int code = ResolveLinks(m_Path, m_Target);
    if (code != 0)
        return code;
    m_Exists = ::stat(m_Target.c_str(), &m_Replaced) == 0;
    if (!m_Exists && errno != ENOENT)
        return errno;
    if (m_Exists) {
        if (S_ISDIR(m_Replaced.st_mode))
            return EISDIR;
        // Root may write anything: a file that nobody may write is refused all the same.
        if ((m_Replaced.st_mode & 0222) == 0)
            return EACCES;
        if (::faccessat(AT_FDCWD, m_Target.c_str(), W_OK, AT_EACCESS) != 0)
            return errno;
        if (!S_ISREG(m_Replaced.st_mode)) {
            // A device or named pipe is written as it is. Opening does not wait for a pipe's
            // reader.
            m_Kind = Kind::Device;
            m_Fd = ::open(m_Target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (m_Fd < 0)
                return errno;
            const int flags = ::fcntl(m_Fd, F_GETFL);
            if (flags >= 0)
                ::fcntl(m_Fd, F_SETFL, flags & ~O_NONBLOCK);
            return 0;
        }
    }
    const std::string named = FolderOf(m_Target);
    m_Folder = named.empty() ? "." : named;
    RemoveLeftTemporaries(m_Folder);
    code = atomic_file_testing::NamedTemporaryOnly ? -1 : OpenTemporary(true);
    return code == 0 ? 0 : OpenTemporary(false);
}

// Opens an unnamed temporary file in the target's folder, or one named as ours, and gives it the
// attributes of the file it will replace. Answers 0 or an errno (-1 when an unnamed one cannot
// be had here).
int CAtomicFile::OpenTemporary(bool unnamed) {
    m_Kind = unnamed ? Kind::Unnamed : Kind::Named;
    if (unnamed) {
        // Readable too: where it cannot be given a name it is copied into a named one.
        m_Fd = ::open(m_Folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_Fd < 0)
            return -1;
    } else {
        m_Temp = JoinPath(m_Folder, TemporaryName("XXXXXX"));
        m_Fd = ::mkostemp(m_Temp.data(), O_CLOEXEC);
        if (m_Fd < 0) {
            const int code = errno;
            m_Temp.clear();
            return code;
        }
    }
    TakeOverAttributes(m_Fd, m_Exists ? &m_Replaced : nullptr, unnamed);
    return 0;
}

void CAtomicFile::Write(std::string_view piece) {
    if (m_Error != 0 || piece.empty())
        return;
    if (m_Buffered + piece.size() > BufferSize && !Flush())
        return;
    if (piece.size() < BufferSize && m_Buffer == nullptr)
        m_Buffer.reset(new (std::nothrow) char[BufferSize]);
    if (piece.size() >= BufferSize || m_Buffer == nullptr) {
        Send(piece); // straight to the file: large pieces, and when no buffer could be had
        return;
    }
    std::memcpy(m_Buffer.get() + m_Buffered, piece.data(), piece.size());
    m_Buffered += piece.size();
}

bool CAtomicFile::Flush() {
    if (m_Error == 0 && m_Buffered > 0) {
        const size_t size = m_Buffered;
        m_Buffered = 0;
        Send(std::string_view(m_Buffer.get(), size));
    }
    return m_Error == 0;
}

void CAtomicFile::Send(std::string_view bytes) {
    const bool written =
        m_Kind == Kind::Device ? WriteToDevice(m_Fd, bytes) : WriteAll(m_Fd, bytes);
    if (!written) {
        m_Error = errno;
        Discard();
    }
}

bool CAtomicFile::Commit(std::string& error) {
    if (Flush())
        m_Error = Finish();
    Discard();
    return m_Error == 0 || Fail(error, m_Path, m_Error);
}

// Makes the written file the target: closes a device, or syncs the temporary file, names it and
// renames it over the target, then syncs the folder. Answers 0 or an errno.
int CAtomicFile::Finish() {
    if (m_Fd < 0)
        return EBADF; // committed before
    if (m_Kind == Kind::Device) {
        const int fd = std::exchange(m_Fd, -1);
        return ::close(fd) == 0 ? 0 : errno;
    }
    if (::fsync(m_Fd) != 0)
        return errno;
    if (m_Kind == Kind::Unnamed) {
        // A new file takes its name at once; an old one is replaced through a temporary name.
        if (!m_Exists && LinkUnnamed(m_Fd, m_Target)) {
            ::close(std::exchange(m_Fd, -1));
            return SyncFolder(m_Folder);
        }
        if (const int code = NameUnnamed(); code != 0)
            return code;
    }
    const int fd = std::exchange(m_Fd, -1);
    if (::close(fd) != 0 || ::rename(m_Temp.c_str(), m_Target.c_str()) != 0) {
        const int code = errno;
        ::unlink(m_Temp.c_str());
        m_Temp.clear();
        return code;
    }
    m_Temp.clear();
    return SyncFolder(m_Folder);
}

// Gives the unnamed temporary file a temporary name of ours, or where that cannot be done copies
// it into a named one.
int CAtomicFile::NameUnnamed() {
    if (LinkUnderTemporaryName(m_Fd, m_Folder, m_Temp)) {
        m_Kind = Kind::Named;
        return 0;
    }
    m_Temp.clear();
    return CopyToNamed();
}

int CAtomicFile::CopyToNamed() {
    const int unnamed = std::exchange(m_Fd, -1);
    int code = OpenTemporary(false);
    char block[16 * 1024];
    for (off_t offset = 0; code == 0;) {
        const ssize_t n = ::pread(unnamed, block, sizeof block, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            code = n == 0 ? 0 : errno;
            break;
        }
        if (!WriteAll(m_Fd, std::string_view(block, static_cast<size_t>(n))))
            code = errno;
        offset += n;
    }
    ::close(unnamed);
    if (code == 0 && ::fsync(m_Fd) != 0)
        code = errno;
    return code;
}

// Closes the file and removes a named temporary one; the target stays as it was.
void CAtomicFile::Discard() {
    if (m_Fd >= 0)
        ::close(std::exchange(m_Fd, -1));
    if (!m_Temp.empty()) {
        ::unlink(m_Temp.c_str());
        m_Temp.clear();
    }
    m_Buffered = 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
    CAtomicFile file(path);
    const size_t half = content.size() / 2;
    file.Write(content.substr(0, half));
    if (atomic_file_testing::HalfWritten && file.Flush())
        atomic_file_testing::HalfWritten();
    file.Write(content.substr(half));
    return file.Commit(error);
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
