#include "core/record/Columns.h"

#include "core/record/ListData.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace torvane {
namespace {

// Numbers sort as right-aligned texts 15 wide, so that their text order is the numeric order
// for values of up to 15 digits (and -1 sorts between the one- and two-digit values).
void AppendNumber(int64_t value, std::string& out) {
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%15" PRId64, value);
    out.append(buffer, static_cast<size_t>(length));
}

void PathKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    const std::string& path = record.FilePath();
    const size_t separator = LastPathSeparator(path);
    if (!context.DisNum || separator == std::string::npos) {
        out += path;
        return;
    }
    // The name key carries no extension, so neither does this path key.
    out.append(path, 0, separator + 1);
    out += NameWithoutLeadingDigits(record.FileName());
}

void NameKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    if (context.DisNum)
        out += NameWithoutLeadingDigits(record.FileName());
    else
        out += record.FileName();
}

void ExtKey(const CListData& record, const SortKeyContext&, std::string& out) {
    out += record.Ext();
}
void SizeKey(const CListData& record, const SortKeyContext&, std::string& out) {
    AppendNumber(record.Size(), out);
}
void TitleKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    out += record.GetTitle(context.TagOf);
}
void ArtistKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    out += record.GetArtist(context.TagOf);
}
void AlbumKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    out += record.GetAlbum(context.TagOf);
}
void CommentKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    out += record.GetComment(context.TagOf);
}
// The leading number of the track text ("3/12" is 3), 0 when there is none.
void TrackKey(const CListData& record, const SortKeyContext& context, std::string& out) {
    AppendNumber(std::strtoll(std::string(record.GetTrackNum(context.TagOf)).c_str(), nullptr, 10),
                 out);
}
void TimeKey(const CListData& record, const SortKeyContext&, std::string& out) {
    AppendNumber(record.Time(), out);
}
void BitRateKey(const CListData& record, const SortKeyContext&, std::string& out) {
    AppendNumber(record.BitRate(), out);
}
void SamplingRateKey(const CListData& record, const SortKeyContext&, std::string& out) {
    AppendNumber(record.SamplingRate(), out);
}
void TypeKey(const CListData& record, const SortKeyContext&, std::string& out) {
    out += record.Type();
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

const std::array<ColumnKey, ColumnCount>& AllColumnKeys() {
    static const std::array<ColumnKey, ColumnCount> keys = [] {
        std::array<ColumnKey, ColumnCount> all{};
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<ColumnKey>(i);
        return all;
    }();
    return keys;
}

std::optional<ColumnKey> ColumnKeyOf(int number) {
    if (number < 0 || number >= ColumnCount)
        return std::nullopt;
    return static_cast<ColumnKey>(number);
}

std::string SortKeyText(const CListData& record, ColumnKey key, const SortKeyContext& context) {
    std::string text;
    AppendSortKey(record, key, context, text);
    return text;
}

void AppendSortKey(const CListData& record, ColumnKey key, const SortKeyContext& context,
                   std::string& out) {
    if (key >= 0 && key < ColumnCount && ColumnTable()[key].SortKey)
        ColumnTable()[key].SortKey(record, context, out);
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

std::string ColumnText(const CListData& record, ColumnKey key, const DisplayUnits& units) {
    switch (key) {
    case ColFilePath:
        return record.FilePath();
    case ColFileName:
        return std::string(record.FileName());
    case ColExt:
        return record.Ext();
    case ColSize:
        return record.GetSizeText(units.SizeOf);
    case ColTitle:
        return std::string(record.GetTitle(units.TagOf));
    case ColArtist:
        return std::string(record.GetArtist(units.TagOf));
    case ColAlbum:
        return std::string(record.GetAlbum(units.TagOf));
    case ColComment:
        return std::string(record.GetComment(units.TagOf));
    case ColTrackNum:
        return std::string(record.GetTrackNum(units.TagOf));
    case ColTime:
        return record.GetTimeText(units.TimeOf);
    case ColBitRate:
        return record.BitRateText();
    case ColSamplingRate:
        return record.SamplingRateText();
    case ColType:
        return record.Type();
    case ColGenre:
        return std::string(record.GetGenre(units.TagOf));
    case ColYear:
        return std::string(record.GetYear(units.TagOf));
    default:
        return {};
    }
}

} // namespace torvane
