#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// Small POSIX path helpers shared by the gathering routes and the writers. Paths are byte
// strings compared exactly.

// folder + "/" + name, without doubling a separator that folder already ends with.
std::string JoinPath(std::string_view folder, std::string_view name);
// A relative entry of a list file joined to the list's folder, with its "." components dropped
// and each ".." taking away the component before it (never above the root), so that
// "./a.mp3" and "../Rock/b.mp3" written beside a list come back as the paths they were made
// from. The folder's own text is kept as far as the entry does not climb out of it.
std::string JoinRelativePath(std::string_view folder, std::string_view relative);
// The text before the last "/" ("/" for a file in the root, "" when there is none).
std::string FolderOf(std::string_view path);
// The text after the last "/" (the whole text when there is none).
std::string_view LastComponent(std::string_view path);
// The text after the last "." of the last component, "" when there is none.
std::string_view ExtensionOf(std::string_view path);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The list files that the gathering routes read instead of adding, by extension in any case:
// ".m3u", ".m3u8" and ".txt" hold one entry per line; ".pls" and ".xspf" are read as such.
enum class ListFormat { None, Lines, Pls, Xspf };
ListFormat ListFormatOf(std::string_view path);
bool IsListFileName(std::string_view path);
// An HTML page or template: ".htm" and ".html", whatever their case.
bool IsHtmlFileName(std::string_view path);

// The process's current folder; empty when it cannot be found.
std::string CurrentFolder();
// An absolute path: a relative one is joined to the current folder. Nothing else changes.
std::string MakeAbsolute(std::string_view path);

enum class PathKind { Missing, Folder, File };
// What the path names, following symbolic links.
PathKind KindOf(const std::string& path);

// The largest files of each kind that are read whole; larger ones are refused, not read. A
// profile's keys cost many times their bytes once parsed, and a real one holds a few kilobytes.
inline constexpr uint64_t MaxListFileBytes = uint64_t{512} << 20;
inline constexpr uint64_t MaxTagCacheBytes = uint64_t{1} << 30;
inline constexpr uint64_t MaxProfileBytes = uint64_t{1} << 20;
inline constexpr uint64_t MaxTemplateBytes = uint64_t{64} << 20;

enum class WholeFileRead {
    Ok,
    Unreadable, // missing, not a regular file (a folder, a named pipe, a device) or a read error
    TooLarge,   // larger than the caller's limit, or memory for it could not be had
};
// The whole content of a regular file of at most limit bytes. A file that grows past the limit
// while it is read is refused too; content changes only when the answer is Ok.
WholeFileRead ReadWholeFile(const std::string& path, std::string& content, uint64_t limit);

} // namespace torvane
