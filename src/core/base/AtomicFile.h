#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Writes a whole file so that a failure never leaves a half-written or emptied one. On failure
// answers false with a description in error and leaves the target as it was.
//
// - A symbolic link is followed to its final target, which is written; the link stays. A
//   dangling link creates the file it names.
// - A file without write permission is refused (EACCES), also for root, which the system would
//   let through: a file whose mode has no write bit at all counts as read-only for everyone.
// - A regular file (or a new one) is written to a temporary file in the target's folder and
//   renamed over it, then the folder is synced. The temporary file has no name where the file
//   system offers that, so a write killed halfway leaves nothing behind; elsewhere it is named
//   ".torvane-<pid>-XXXXXX", and such files of processes that are gone are removed by the next
//   write into their folder. The replaced file's permissions and, where allowed, owner and
//   group are kept.
// - A hard-linked target is replaced under this name only: the file's other names keep the
//   previous content, as with most editors. Replacing it in place would lose the guarantee
//   above.
// - A target that is not a regular file (a device such as /dev/null, a named pipe) is written
//   directly and never replaced; a named pipe without a reader is a failure (ENXIO), not a
//   wait. A folder, a socket and the like are refused.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// Deletes the file a path finally names; a symbolic link to it stays (dangling), so the next
// write through it creates the file again where the link points. No file is no error.
bool RemoveFileKeepingLinks(const std::string& path, std::string& error);

// Creates the folders above path that do not exist yet.
bool CreateParentFolders(const std::string& path, std::string& error);

// Seams for the tests of the writer; the program leaves them alone.
namespace atomic_file_testing {
// Called once half of the content is in the temporary file: a test kills the process there.
extern void (*HalfWritten)();
// Makes the writer use a named temporary file, as on a file system without unnamed ones.
extern bool NamedTemporaryOnly;
} // namespace atomic_file_testing

} // namespace torvane
