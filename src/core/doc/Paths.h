#pragma once

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

// The whole content of a regular file; false when it cannot be opened or read, or is a folder,
// a named pipe or a device.
bool ReadWholeFile(const std::string& path, std::string& content);

} // namespace torvane
