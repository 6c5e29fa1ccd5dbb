#pragma once

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace torvane::test {

// A folder that fails writes as a broken disk does. Files written into it before Break() are
// the "previous" files a test checks afterwards. As root it is a small tmpfs of its own, made
// read-only by a remount or filled to the last byte; for another user a folder without write
// permission is the read-only disk, and a full one cannot be made (Real() is false: the test
// uses the host's write seam instead).
class CScratchDisk {
public:
    enum class Failure { ReadOnly, Full };

    CScratchDisk(std::string folder, Failure failure)
        : m_Folder(std::move(folder)), m_Failure(failure) {
        std::filesystem::create_directories(m_Folder);
        m_Mounted = ::geteuid() == 0 &&
                    ::mount("tmpfs", m_Folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    }
    ~CScratchDisk() {
        if (m_Mounted)
            ::umount2(m_Folder.c_str(), MNT_DETACH);
        else
            ::chmod(m_Folder.c_str(), 0755);
    }
    CScratchDisk(const CScratchDisk&) = delete;
    CScratchDisk& operator=(const CScratchDisk&) = delete;

    const std::string& Folder() const { return m_Folder; }
    std::string operator/(const std::string& name) const { return m_Folder + "/" + name; }

    // Whether the disk really fails (a mount, or a folder that refuses a user); false when
    // only the seam can stand in for it.
    bool Real() const { return m_Mounted || (m_Failure == Failure::ReadOnly && ::geteuid() != 0); }

    // From now on writes fail: the mount turns read-only, or its free space is used up.
    void Break() {
        if (m_Failure == Failure::ReadOnly) {
            if (m_Mounted)
                ::mount(nullptr, m_Folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
            else
                ::chmod(m_Folder.c_str(), 0555);
        } else if (m_Mounted) {
            Fill();
        }
    }

    // The names in the folder but the filler, sorted: a leftover temporary file shows up here.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_Folder))
            if (entry.path().filename() != FillerName)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static constexpr const char* FillerName = "filler";

private:
    void Fill() {
        const std::string path = *this / FillerName;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const std::string block(4096, 'f');
        while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
        }
        // The last bytes of a page that the block did not fit.
        while (fd >= 0 && ::write(fd, block.data(), 1) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    }

    std::string m_Folder;
    Failure m_Failure;
    bool m_Mounted = false;
};

} // namespace torvane::test
