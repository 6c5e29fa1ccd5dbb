#include "core/base/Paths.h"

#include "core/base/OffThread.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

namespace {

// Drops the last component of an absolute folder; the root stays the root.
void ClimbOneFolder(std::string& folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const size_t slash = folder.rfind('/');
    if (slash != std::string::npos)
        folder.resize(slash == 0 ? 1 : slash);
}

} // namespace

std::string JoinRelativePath(std::string_view folder, std::string_view relative) {
    std::string path(folder);
    const bool endsWithSlash = relative.ends_with('/');
    while (!relative.empty()) {
        const size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative.remove_prefix(slash == std::string_view::npos ? relative.size() : slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            ClimbOneFolder(path);
            continue;
        }
        path = JoinPath(path, part);
    }
    if (endsWithSlash && !path.ends_with('/'))
        path += '/'; // refused as a folder name later, as it was written
    return path;
}

std::string FolderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string_view LastComponent(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtensionOf(std::string_view path) {
    const std::string_view last = LastComponent(path);
    const size_t dot = last.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : last.substr(dot + 1);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

ListFormat ListFormatOf(std::string_view path) {
    const std::string_view ext = ExtensionOf(path);
    if (EqualsIgnoringAsciiCase(ext, "m3u") || EqualsIgnoringAsciiCase(ext, "m3u8") ||
        EqualsIgnoringAsciiCase(ext, "txt"))
        return ListFormat::Lines;
    if (EqualsIgnoringAsciiCase(ext, "pls"))
        return ListFormat::Pls;
    if (EqualsIgnoringAsciiCase(ext, "xspf"))
        return ListFormat::Xspf;
    return ListFormat::None;
}

bool IsListFileName(std::string_view path) {
    return ListFormatOf(path) != ListFormat::None;
}

bool IsHtmlFileName(std::string_view path) {
    const std::string_view ext = ExtensionOf(path);
    return EqualsIgnoringAsciiCase(ext, "htm") || EqualsIgnoringAsciiCase(ext, "html");
}

std::string CurrentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string MakeAbsolute(std::string_view path) {
    if (!path.empty() && path.front() == '/')
        return std::string(path);
    return JoinPath(CurrentFolder(), path);
}

PathKind KindOf(const std::string& path) {
    BeforeStorageCall(path.c_str());
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

WholeFileRead ReadWholeFile(const std::string& path, std::string& content, uint64_t limit) {
    // Not blocking, and only regular files: a named pipe or a device called "x.m3u" would
    // otherwise wait for a writer or never end.
    BeforeStorageCall(path.c_str());
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return WholeFileRead::Unreadable;
    WholeFileRead result = WholeFileRead::Ok;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        result = WholeFileRead::Unreadable;
    else if (static_cast<uint64_t>(st.st_size) > limit)
        result = WholeFileRead::TooLarge;
    std::string text;
    try {
        if (result == WholeFileRead::Ok)
            text.reserve(static_cast<size_t>(st.st_size));
        char buffer[65536];
        while (result == WholeFileRead::Ok) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    result = WholeFileRead::Unreadable;
                break;
            }
            if (static_cast<uint64_t>(n) > limit - text.size())
                result = WholeFileRead::TooLarge;
            else
                text.append(buffer, static_cast<size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        result = WholeFileRead::TooLarge;
    }
    ::close(fd);
    if (result == WholeFileRead::Ok)
        content = std::move(text);
    return result;
}

} // namespace torvane
