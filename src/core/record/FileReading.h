#pragma once

#include "core/media/AudioInfo.h"
#include "core/record/TrackFacts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

namespace torvane {

class CTextCodec;

// The status of a file when it was read: a changed stamp means the file changed. The
// modification time can be set back (a tag editor that keeps it, "touch -r"), and a file
// retagged in place keeps its size; the change time cannot be set back, and a file replaced by
// another one has another inode, so those are kept too.
struct FileStamp {
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// A record's facts as a fresh read of a file left them, with the state bits it set: what the
// tag cache keeps.
struct CachedFacts {
    TrackFacts Facts;
    uint32_t State = 0;
};

// What reading one file found, before it goes into a record. Making it touches no record, so
// it can be made on any thread; CListData::ApplyReading puts it into a record as reading there
// would have.
struct FileReading {
    bool Found = false; // the path names something that is not a folder
    FileStamp Stamp;
    bool Read = false;   // a reader took the file (the record counts as read)
    bool Settled = true; // the file did not change while it was read
    std::variant<std::monostate, AudioInfo, CachedFacts> Info;
};

// Reads the status and, for the extensions that have a reader, the tags and stream facts of
// path. A file whose status changed while it was read is read again (a few times at most), so
// the facts belong to one state of the file: the file is opened once and its status asked of it
// before the read, and after it when the file had changed within the last hour (one that had
// not is not being written). beforeRead, when given, runs after each status query and before the
// reader reads. folder is as for QueryFileStamp.
FileReading ReadTrackFile(const std::string& path, const std::string& ext, const CTextCodec& codec,
                          const std::function<void()>& beforeRead = {}, int folder = -1);

// The status of path without reading it: false when it is missing or a folder. folder, when not
// -1, is an open descriptor of the folder holding the path's last name: the name is looked up
// there, which spares the walk along the whole path.
bool QueryFileStamp(const std::string& path, FileStamp& stamp, int folder = -1);

} // namespace torvane
