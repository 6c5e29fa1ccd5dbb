#pragma once

#include "core/record/DisplayChoice.h"

#include <array>
#include <optional>
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
    SizeUnit SizeOf = SizeUnit::KB;
    TimeUnit TimeOf = TimeUnit::Clock;
    TagMode TagOf = TagMode::Standard;
};

// The settings a sort key text depends on.
struct SortKeyContext {
    TagMode TagOf = TagMode::Standard; // as the list shows the tags
    bool DisNum = false;               // ignore leading digits of file names
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

// Every column key in order, for going over the columns.
const std::array<ColumnKey, ColumnCount>& AllColumnKeys();
// The key of a column number from outside (a view column, a command, an option); none when the
// number is no column key.
std::optional<ColumnKey> ColumnKeyOf(int number);

// The sort key text of a record under a column key; the empty text for keys without one.
std::string SortKeyText(const CListData& record, ColumnKey key, const SortKeyContext& context);
// The same, appended to out.
void AppendSortKey(const CListData& record, ColumnKey key, const SortKeyContext& context,
                   std::string& out);

// A file name without its leading digits and one separator ('_', '.', ' ' or '-') after them.
std::string_view NameWithoutLeadingDigits(std::string_view fileName);

// The text of one column of a record.
std::string ColumnText(const CListData& record, ColumnKey key, const DisplayUnits& units);

} // namespace torvane
