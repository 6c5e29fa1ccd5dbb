#include "core/base/Trash.h"

#include "core/base/FileUri.h"
#include "core/base/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

constexpr int MaxNameAttempts = 10000;

std::string Reason(int error) {
    return std::strerror(error);
}

// Makes the folder (0700) unless it is there; a link or a file in its place does not count.
bool EnsureFolder(const std::string& folder, std::string& error) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot create the trash folder: " + Reason(errno);
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "the trash folder is not a folder";
        return false;
    }
    return true;
}

// Every folder of the absolute path, from the top down.
bool EnsureFolders(const std::string& folder, std::string& error) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot create the trash folder: " + Reason(errno);
            return false;
        }
    }
    return EnsureFolder(folder, error);
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Renames without replacing what is at to; false with errno EEXIST when something is there.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // a file system that cannot refuse by itself: look first
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

TrashPlace VolumeTrashAt(const std::string& top) {
    const std::string uid = std::to_string(::getuid());
    const std::string shared = JoinPath(top, ".Trash");
    struct stat st {};
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const std::string own = JoinPath(shared, uid);
        std::string ignored;
        if (EnsureFolder(own, ignored))
            return {own, top};
    }
    return {JoinPath(top, ".Trash-" + uid), top};
}

std::optional<dev_t> DeviceOfPath(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return st.st_dev;
}

std::string TopFolderOf(const std::string& folder, const DeviceOf& deviceOf) {
    std::string current = WithoutTrailingSlashes(folder);
    const std::optional<dev_t> device = deviceOf(current);
    while (device && current != "/" && !current.empty()) {
        const std::string parent = FolderOf(current);
        if (parent.empty() || deviceOf(parent) != device)
            break;
        current = parent;
    }
    return current;
}

std::string TrashInfoText(std::string_view path, std::time_t deleted) {
    std::tm local{};
    char date[32] = "";
    if (::localtime_r(&deleted, &local))
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncodePath(path) + "\nDeletionDate=" + date + "\n";
}

std::string TrashNameCandidate(std::string_view name, int attempt) {
    if (attempt <= 1)
        return std::string(name);
    const size_t dot = name.rfind('.');
    const size_t stem = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
    return std::string(name.substr(0, stem)) + "." + std::to_string(attempt) +
           std::string(name.substr(stem));
}

bool MoveIntoTrash(const std::string& path, const TrashPlace& trash, std::string& error) {
    const std::string file = WithoutTrailingSlashes(MakeAbsolute(path));
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) {
        error = Reason(errno);
        return false;
    }
    const std::string files = JoinPath(trash.Folder, "files");
    const std::string info = JoinPath(trash.Folder, "info");
    if (!EnsureFolder(trash.Folder, error) || !EnsureFolder(files, error) ||
        !EnsureFolder(info, error))
        return false;

    std::string recorded = file;
    if (!trash.Top.empty() && trash.Top != "/" && file.starts_with(trash.Top + "/"))
        recorded = file.substr(trash.Top.size() + 1);
    else if (trash.Top == "/")
        recorded = file.substr(1);
    const std::string text = TrashInfoText(recorded, std::time(nullptr));
    const std::string_view name = LastComponent(file);

    for (int attempt = 1; attempt <= MaxNameAttempts; ++attempt) {
        const std::string candidate = TrashNameCandidate(name, attempt);
        const std::string infoFile = JoinPath(info, candidate + ".trashinfo");
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            error = "cannot write the trash information: " + Reason(errno);
            return false;
        }
        const bool written = WriteAll(fd, text);
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            const int saved = errno;
            ::unlink(infoFile.c_str());
            error = "cannot write the trash information: " + Reason(saved);
            return false;
        }
        if (RenameNoReplace(file, JoinPath(files, candidate)))
            return true;
        const int saved = errno;
        ::unlink(infoFile.c_str());
        if (saved == EEXIST)
            continue;
        error = saved == EXDEV ? "the trash is on another device" : Reason(saved);
        return false;
    }
    error = "no free name in the trash";
    return false;
}

bool MoveToTrash(const std::string& path, std::string& error, const DeviceOf& deviceOf) {
    std::string dataHome;
    if (const char* configured = std::getenv("XDG_DATA_HOME"); configured && *configured) {
        dataHome = configured;
        if (dataHome.front() != '/') {
            error = "XDG_DATA_HOME is not an absolute path";
            return false;
        }
    } else {
        const char* home = std::getenv("HOME");
        if (!home || *home != '/') {
            error = "no home folder for the trash";
            return false;
        }
        dataHome = JoinPath(home, ".local/share");
    }
    const std::string file = WithoutTrailingSlashes(MakeAbsolute(path));
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) {
        error = Reason(errno);
        return false;
    }
    const std::string homeTrash = JoinPath(WithoutTrailingSlashes(dataHome), "Trash");
    if (!EnsureFolders(homeTrash, error))
        return false;
    const std::string folder = FolderOf(file);
    const std::optional<dev_t> device = deviceOf(folder);
    if (device && device == deviceOf(homeTrash))
        return MoveIntoTrash(file, {homeTrash, {}}, error);
    return MoveIntoTrash(file, VolumeTrashAt(TopFolderOf(folder, deviceOf)), error);
}

} // namespace torvane
