#include "Columns.h"

#include "ListData.h"

namespace torvane {

const std::array<ColumnInfo, ColumnCount>& ColumnTable() {
    static const std::array<ColumnInfo, ColumnCount> table{{
        {"FilePath", false, 300},
        {"FileName", false, 145},
        {"Ext", false, 50},
        {"Size", true, 70},
        {"Title", false, 100},
        {"Artist", false, 100},
        {"Album", false, 100},
        {"Comment", false, 100},
        {"TrackNum", true, 30},
        {"Time", true, 40},
        {"BitRate", true, 60},
        {"SamplingRate", true, 70},
        {"Type", false, 150},
        {"Genre", false, 50},
        {"Year", true, 60},
    }};
    return table;
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
