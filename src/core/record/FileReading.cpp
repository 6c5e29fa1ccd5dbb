#include "core/record/FileReading.h"

#include "core/base/CachedSource.h"
#include "core/base/FileSource.h"
#include "core/media/AiffReader.h"
#include "core/media/FlacReader.h"
#include "core/media/Mp4Reader.h"
#include "core/media/MpegReader.h"
#include "core/media/OggPage.h"
#include "core/media/OggReader.h"
#include "core/media/OpusReader.h"
#include "core/media/WmaReader.h"
#include "core/record/ListData.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace torvane {
namespace {

constexpr int ReadAttempts = 3;

// Many "ogg" files hold Opus (or FLAC) rather than Vorbis; the first packet tells. The
// readers share one cache, so the start of the file is read once.
void ReadOggFile(const std::string& path, FileReading& reading) {
    const CFileSource file(path);
    if (!file.IsOpen())
        return;
    const CCachedSource cached(file);
    AudioInfo other;
    if ((FirstPacketStartsWith(cached, "OpusHead") && COpusReader().Read(cached, other)) ||
        (FirstPacketStartsWith(cached, "\x7F"
                                       "FLAC") &&
         CFlacReader().Read(cached, other))) {
        reading.Info = std::move(other);
        return;
    }
    OggInfo info;
    COggReader().Read(cached, info);
    info.Path = path;
    reading.Info = std::move(info);
}

// The readers of the newer formats count as having read the file only when it was of their
// format: an unreadable file has no tags, and empty tags must not make two such files of one
// size duplicates.
void ReadNewerFormat(const CAudioReader& reader, const std::string& path, FileReading& reading) {
    AudioInfo info;
    if (!reader.Read(path, info)) {
        reading.Read = false;
        return;
    }
    reading.Info = std::move(info);
}

// Runs the extension's reader; an empty file has nothing to read but counts as read by the
// original three readers.
void ReadContents(const std::string& path, const std::string& reader, const CTextCodec& codec,
                  FileReading& reading) {
    reading.Read = true;
    const bool empty = reading.Stamp.Size == 0;
    if (reader == "wma") {
        WmaInfo info;
        if (!empty && CWmaReader().Read(path, info))
            reading.Info = std::move(info);
    } else if (reader == "mpeg") {
        if (!empty)
            reading.Info = CMpegReader(codec).Read(path);
    } else if (reader == "ogg") {
        if (!empty)
            ReadOggFile(path, reading);
    } else if (empty) {
        reading.Read = false;
    } else if (reader == "flac") {
        ReadNewerFormat(CFlacReader(), path, reading);
    } else if (reader == "opus") {
        ReadNewerFormat(COpusReader(), path, reading);
    } else if (reader == "mp4") {
        ReadNewerFormat(CMp4Reader(), path, reading);
    } else if (reader == "aiff") {
        ReadNewerFormat(CAiffReader(codec), path, reading);
    } else {
        reading.Read = false;
    }
}

} // namespace

bool QueryFileStamp(const std::string& path, FileStamp& stamp, int folder) {
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
    const std::string reader = ReaderForExtension(ext);
    FileReading reading;
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        reading = FileReading{};
        reading.Found = QueryFileStamp(path, reading.Stamp);
        if (!reading.Found || reader.empty())
            return reading;
        if (beforeRead)
            beforeRead();
        // The readers do not throw on any content, but memory may run out: the file is then
        // left unread (and the reading is not kept for later), and the operation goes on.
        try {
            ReadContents(path, reader, codec, reading);
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
