#include "core/record/FileReading.h"

#include "core/base/FileSource.h"
#include "core/base/OffThread.h"
#include "core/media/ReaderTable.h"
#include "core/record/ListData.h"

#include <ctime>
#include <fcntl.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

constexpr int ReadAttempts = 3;
// A file whose status changed this lately when it was opened may be being written still.
constexpr int64_t LateChangeNs = int64_t{3600} * 1000000000;

FileStamp StampOf(const struct stat& st) {
    FileStamp stamp;
    stamp.Size = static_cast<int64_t>(st.st_size);
    stamp.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.ChangedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.Device = static_cast<uint64_t>(st.st_dev);
    stamp.Inode = static_cast<uint64_t>(st.st_ino);
    return stamp;
}

// The name of path to look up in folder (an open descriptor), or the whole path without one.
const char* NameIn(const std::string& path, int folder) {
    return folder == -1 ? path.c_str() : path.c_str() + LastPathSeparator(path) + 1;
}

// A file opened to be read: its status is asked of the open file rather than by its path, once
// before and once after the read, which spares two walks along the path.
class COpenTrack {
public:
    COpenTrack(const std::string& path, int folder) {
        BeforeStorageCall(path.c_str());
        // Not blocking: opening a FIFO for reading would wait for a writer.
        m_Fd = ::openat(folder == -1 ? AT_FDCWD : folder, NameIn(path, folder),
                        O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    }
    ~COpenTrack() {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }
    COpenTrack(const COpenTrack&) = delete;
    COpenTrack& operator=(const COpenTrack&) = delete;

    bool IsOpen() const { return m_Fd >= 0; }
    int Descriptor() const { return m_Fd; }
    bool IsRegular() const { return m_Regular; }
    // The status of the open file: false for a folder.
    bool Query(FileStamp& stamp) {
        struct stat st {};
        if (::fstat(m_Fd, &st) != 0 || S_ISDIR(st.st_mode))
            return false;
        m_Regular = S_ISREG(st.st_mode);
        stamp = StampOf(st);
        return true;
    }

private:
    int m_Fd = -1;
    bool m_Regular = false;
};

// Runs the reader the table gives for the file. An empty file is handed to no reader; it, and
// a file no reader takes, counts as read only where the table says so. A file that is not
// regular, or could not be opened, is read as the table reads one it cannot open.
void ReadContents(const std::string& path, const COpenTrack& track,
                  std::span<const ReaderLine> lines, const CTextCodec& codec,
                  FileReading& reading) {
    reading.Read = lines.front().CountsUnreadable;
    if (reading.Stamp.Size == 0)
        return;
    AudioInfo info;
    const bool read = track.IsOpen() && track.IsRegular()
                          ? ReadByTable(CFileSource(track.Descriptor(),
                                                    static_cast<uint64_t>(reading.Stamp.Size)),
                                        lines, codec, info)
                          : ReadByTable(path, lines, codec, info);
    if (read) {
        reading.Read = true;
        reading.Info = std::move(info);
    }
}

// Whether the file's status changed lately, or at a time ahead of this machine's clock (a file
// server's clock may run ahead or behind; an hour covers both). Only such a file is asked for
// its status again after the read: one that had not changed for longer would change during the
// read only as likely as just after it, which no check catches either (and the tag cache keeps
// the status it was read under, so a later change is seen).
bool ChangedLately(const FileStamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const int64_t nowNs = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return stamp.ChangedNs > nowNs - LateChangeNs;
}

} // namespace

bool QueryFileStamp(const std::string& path, FileStamp& stamp, int folder) {
    BeforeStorageCall(path.c_str());
    struct stat st {};
    const int status =
        folder == -1 ? ::stat(path.c_str(), &st) : ::fstatat(folder, NameIn(path, folder), &st, 0);
    if (status != 0 || S_ISDIR(st.st_mode))
        return false;
    stamp = StampOf(st);
    return true;
}

FileReading ReadTrackFile(const std::string& path, const std::string& ext, const CTextCodec& codec,
                          const std::function<void()>& beforeRead, int folder) {
    const auto lines = ReaderLines(ext);
    FileReading reading;
    if (lines.empty()) {
        reading.Found = QueryFileStamp(path, reading.Stamp, folder);
        return reading;
    }
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        reading = FileReading{};
        // A file that cannot be opened (no read permission) may still be there.
        COpenTrack track(path, folder);
        const auto query = [&](FileStamp& stamp) {
            return track.IsOpen() ? track.Query(stamp) : QueryFileStamp(path, stamp, folder);
        };
        reading.Found = query(reading.Stamp);
        if (!reading.Found)
            return reading;
        if (beforeRead)
            beforeRead();
        // The readers do not throw on any content, but memory may run out: the file is then
        // left unread (and the reading is not kept for later), and the operation goes on.
        try {
            ReadContents(path, track, lines, codec, reading);
        } catch (...) {
            reading.Read = false;
            reading.Settled = false;
            reading.Info = std::monostate();
            return reading;
        }
        FileStamp after;
        if (!ChangedLately(reading.Stamp) || (query(after) && after == reading.Stamp))
            return reading;
    }
    // Still changing: the last reading stands, with the status it was read under.
    reading.Settled = false;
    return reading;
}

} // namespace torvane
