#pragma once

#include <array>
#include <string>
#include <string_view>

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

// The settings a sort key text depends on.
struct SortKeyContext {
    int TagOf = 0;       // tag display mode, as the list shows the tags
    bool DisNum = false; // ignore leading digits of file names
};

// Appends the text a column sorts by to out; texts are compared byte-wise with ASCII letters
// folded. (Appending lets a sort gather every key into one buffer.)
using SortKeyBuilder = void (*)(const CListData& record, const SortKeyContext& context,
                                std::string& out);

struct ColumnInfo {
    const char* Header; // also the column's name in JSON output
    bool RightAligned;
    int DefaultWidth;
    SortKeyBuilder SortKey; // none: every record has the empty key
};

const std::array<ColumnInfo, ColumnCount>& ColumnTable();

// The sort key text of a record under a column key; the empty text for keys without one.
std::string SortKeyText(const CListData& record, int key, const SortKeyContext& context);
// The same, appended to out.
void AppendSortKey(const CListData& record, int key, const SortKeyContext& context,
                   std::string& out);

// A file name without its leading digits and one separator ('_', '.', ' ' or '-') after them.
std::string_view NameWithoutLeadingDigits(std::string_view fileName);

// The text of one column of a record; keys outside 0..14 give no text.
std::string ColumnText(const CListData& record, int key, const DisplayUnits& units);

} // namespace torvane
