#pragma once

#include "core/base/TextOutput.h"

#include <memory>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace torvane {

// A file written so that a failure never leaves a half-written or emptied one: the text goes in
// with Write, through a buffer, and takes the target's place with Commit. On failure Commit
// answers false with a description in error and the target stays as it was; destroyed without
// Commit the writer leaves the target as it was and no temporary file.
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
class CAtomicFile final : public CTextOutput {
public:
    // Opens the temporary file (or the device) for path; a failure here is answered by Commit.
    explicit CAtomicFile(std::string path);
    ~CAtomicFile() override;
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    void Write(std::string_view piece) override;
    // Sends what the buffer holds on to the file; false once anything has failed.
    bool Flush();
    bool Commit(std::string& error) override;
    bool Failed() const override { return m_Error != 0; }

private:
    enum class Kind { Device, Unnamed, Named };

    int Open();
    int OpenTemporary(bool unnamed);
    void Send(std::string_view bytes);
    int Finish();
    int NameUnnamed();
    int CopyToNamed();
    void Discard();

    std::string m_Path;   // as given, for the error
    std::string m_Target; // the name the path finally stands for
    std::string m_Folder; // the target's folder
    std::string m_Temp;   // the named temporary file
    struct stat m_Replaced {};
    bool m_Exists = false;
    Kind m_Kind = Kind::Unnamed;
    int m_Fd = -1;
    int m_Error = 0;
    std::unique_ptr<char[]> m_Buffer;
    size_t m_Buffered = 0;
};

// Writes a whole file as CAtomicFile does.
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
// Makes naming an unnamed temporary file fail, as without /proc and without the right to name a
// file by its handle: the writer then copies it into a named one.
extern bool UnnamedCannotBeNamed;
} // namespace atomic_file_testing

} // namespace torvane
