#pragma once

#include <array>
#include <string>

namespace torvane {

class CListData;

// The fifteen columns, numbered by key: the list view's columns, the record's column texts,
// the sort keys and the profile keys "column_0" .. "column_14".
enum ColumnKey : int {
    ColFilePath,
    ColFileName,
    ColExt,
    ColSize,
    ColTitle,
    ColArtist,
    ColAlbum,
    ColComment,
    ColTrackNum,
    ColTime,
    ColBitRate,
    ColSamplingRate,
    ColType,
    ColGenre,
    ColYear,
    ColumnCount
};

// The document's three display settings, which choose among the record's stored texts.
struct DisplayUnits {
    int SizeOf = 0; // 0 kB, 1 MB
    int TimeOf = 0; // 0 mm:ss, 1 seconds, 2 minutes
    int TagOf = 0;  // 0 standard tags, 1 extended tags
};

struct ColumnInfo {
    const char* Header; // also the column's name in JSON output
    bool RightAligned;
    int DefaultWidth;
};

const std::array<ColumnInfo, ColumnCount>& ColumnTable();

// The text of one column of a record; keys outside 0..14 give no text.
const std::string& ColumnText(const CListData& record, int key, const DisplayUnits& units);

} // namespace torvane
