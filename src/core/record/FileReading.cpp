#include "core/record/FileReading.h"

#include "core/base/OffThread.h"
#include "core/media/ReaderTable.h"
#include "core/record/ListData.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace torvane {
namespace {

constexpr int ReadAttempts = 3;

// Runs the reader the table gives for the file. An empty file is handed to no reader; it, and
// a file no reader takes, counts as read only where the table says so.
void ReadContents(const std::string& path, std::span<const ReaderLine> lines,
                  const CTextCodec& codec, FileReading& reading) {
    reading.Read = lines.front().CountsUnreadable;
    if (reading.Stamp.Size == 0)
        return;
    AudioInfo info;
    if (ReadByTable(path, lines, codec, info)) {
        reading.Read = true;
        reading.Info = std::move(info);
    }
}

} // namespace

bool QueryFileStamp(const std::string& path, FileStamp& stamp, int folder) {
    BeforeStorageCall(path.c_str());
    struct stat st {};
    const int status = folder == -1
                           ? ::stat(path.c_str(), &st)
                           : ::fstatat(folder, path.c_str() + LastPathSeparator(path) + 1, &st, 0);
    if (status != 0 || S_ISDIR(st.st_mode))
        return false;
    stamp.Size = static_cast<int64_t>(st.st_size);
    stamp.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.ChangedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.Device = static_cast<uint64_t>(st.st_dev);
    stamp.Inode = static_cast<uint64_t>(st.st_ino);
    return true;
}

FileReading ReadTrackFile(const std::string& path, const std::string& ext, const CTextCodec& codec,
                          const std::function<void()>& beforeRead) {
    const auto lines = ReaderLines(ext);
    FileReading reading;
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        reading = FileReading{};
        reading.Found = QueryFileStamp(path, reading.Stamp);
        if (!reading.Found || lines.empty())
            return reading;
        if (beforeRead)
            beforeRead();
        // The readers do not throw on any content, but memory may run out: the file is then
        // left unread (and the reading is not kept for later), and the operation goes on.
        try {
            ReadContents(path, lines, codec, reading);
        } catch (...) {
            reading.Read = false;
            reading.Settled = false;
            reading.Info = std::monostate();
            return reading;
        }
        FileStamp after;
        if (QueryFileStamp(path, after) && after == reading.Stamp)
            return reading;
    }
    // Still changing: the last reading stands, with the status it was read under.
    reading.Settled = false;
    return reading;
}

} // namespace torvane
