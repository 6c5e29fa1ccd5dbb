#include "core/base/FileSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {

CFileSource::CFileSource(const std::string& path) {
    // Opening a FIFO for reading would wait for a writer: the open does not wait, and anything
    // but a regular file is closed again at once.
    m_Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_Fd < 0)
        return;
    struct stat st {};
    if (::fstat(m_Fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(m_Fd);
        m_Fd = -1;
        return;
    }
    m_Size = static_cast<uint64_t>(st.st_size);
}

CFileSource::~CFileSource() {
    if (m_Fd >= 0 && m_Owns)
        ::close(m_Fd);
}

size_t CFileSource::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    if (m_Fd < 0)
        return 0;
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(m_Fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

} // namespace torvane
