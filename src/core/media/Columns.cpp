#include "Columns.h"

#include "ListData.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace torvane {
namespace {

// Numbers sort as right-aligned texts 15 wide, so that their text order is the numeric order
// for values of up to 15 digits (and -1 sorts between the one- and two-digit values).
std::string NumberKey(int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%15" PRId64, value);
    return buffer;
}

std::string PathKey(const CListData& record, const SortKeyContext& context) {
    const std::string& path = record.FilePath();
    if (!context.DisNum)
        return path;
    size_t separator = path.rfind('\\');
    if (separator == std::string::npos)
        separator = path.rfind('/');
    if (separator == std::string::npos)
        return path;
    // The name key carries no extension, so neither does this path key.
    return path.substr(0, separator + 1).append(NameWithoutLeadingDigits(record.FileName()));
}

std::string NameKey(const CListData& record, const SortKeyContext& context) {
    if (!context.DisNum)
        return record.FileName();
    return std::string(NameWithoutLeadingDigits(record.FileName()));
}

std::string ExtKey(const CListData& record, const SortKeyContext&) {
    return record.Ext();
}
std::string SizeKey(const CListData& record, const SortKeyContext&) {
    return NumberKey(record.Size());
}
std::string TitleKey(const CListData& record, const SortKeyContext& context) {
    return record.GetTitle(context.TagOf);
}
std::string ArtistKey(const CListData& record, const SortKeyContext& context) {
    return record.GetArtist(context.TagOf);
}
std::string AlbumKey(const CListData& record, const SortKeyContext& context) {
    return record.GetAlbum(context.TagOf);
}
std::string CommentKey(const CListData& record, const SortKeyContext& context) {
    return record.GetComment(context.TagOf);
}
// The leading number of the track text ("3/12" is 3), 0 when there is none.
std::string TrackKey(const CListData& record, const SortKeyContext& context) {
    return NumberKey(std::strtoll(record.GetTrackNum(context.TagOf).c_str(), nullptr, 10));
}
std::string TimeKey(const CListData& record, const SortKeyContext&) {
    return NumberKey(record.Time());
}
std::string BitRateKey(const CListData& record, const SortKeyContext&) {
    return NumberKey(record.BitRate());
}
std::string SamplingRateKey(const CListData& record, const SortKeyContext&) {
    return NumberKey(record.SamplingRate());
}
std::string TypeKey(const CListData& record, const SortKeyContext&) {
    return record.Type();
}

} // namespace

const std::array<ColumnInfo, ColumnCount>& ColumnTable() {
    static const std::array<ColumnInfo, ColumnCount> table{{
        {"FilePath", false, 300, PathKey},
        {"FileName", false, 145, NameKey},
        {"Ext", false, 50, ExtKey},
        {"Size", true, 70, SizeKey},
        {"Title", false, 100, TitleKey},
        {"Artist", false, 100, ArtistKey},
        {"Album", false, 100, AlbumKey},
        {"Comment", false, 100, CommentKey},
        {"TrackNum", true, 30, TrackKey},
        {"Time", true, 40, TimeKey},
        {"BitRate", true, 60, BitRateKey},
        {"SamplingRate", true, 70, SamplingRateKey},
        {"Type", false, 150, TypeKey},
        {"Genre", false, 50, nullptr},
        {"Year", true, 60, nullptr},
    }};
    return table;
}

std::string SortKeyText(const CListData& record, int key, const SortKeyContext& context) {
    if (key < 0 || key >= ColumnCount || !ColumnTable()[key].SortKey)
        return {};
    return ColumnTable()[key].SortKey(record, context);
}

std::string_view NameWithoutLeadingDigits(std::string_view fileName) {
    size_t start = 0;
    while (start < fileName.size() && fileName[start] >= '0' && fileName[start] <= '9')
        ++start;
    // One separator goes too, even when no digit came before it.
    if (start < fileName.size()) {
        const char c = fileName[start];
        if (c == '_' || c == '.' || c == ' ' || c == '-')
            ++start;
    }
    return fileName.substr(start);
}

const std::string& ColumnText(const CListData& record, int key, const DisplayUnits& units) {
    static const std::string none;
    switch (key) {
    case ColFilePath:
        return record.FilePath();
    case ColFileName:
        return record.FileName();
    case ColExt:
        return record.Ext();
    case ColSize:
        return record.GetSizeText(units.SizeOf);
    case ColTitle:
        return record.GetTitle(units.TagOf);
    case ColArtist:
        return record.GetArtist(units.TagOf);
    case ColAlbum:
        return record.GetAlbum(units.TagOf);
    case ColComment:
        return record.GetComment(units.TagOf);
    case ColTrackNum:
        return record.GetTrackNum(units.TagOf);
    case ColTime:
        return record.GetTimeText(units.TimeOf);
    case ColBitRate:
        return record.BitRateText();
    case ColSamplingRate:
        return record.SamplingRateText();
    case ColType:
        return record.Type();
    case ColGenre:
        return record.GetGenre(units.TagOf);
    case ColYear:
        return record.GetYear(units.TagOf);
    default:
        return none;
    }
}

} // namespace torvane
