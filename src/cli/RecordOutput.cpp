#include "cli/RecordOutput.h"

#include "core/base/TextCodec.h"
#include "core/record/Columns.h"
#include "core/record/ListData.h"

namespace torvane::cli {
namespace {

std::vector<std::string> StateNames(const CListData& record) {
    std::vector<std::string> names;
    if (record.Has(CListData::Missing))
        names.emplace_back("Missing");
    if (record.Has(CListData::Playing))
        names.emplace_back("Playing");
    if (record.Has(CListData::SizeRead))
        names.emplace_back("SizeRead");
    if (record.Has(CListData::InfoRead))
        names.emplace_back("InfoRead");
    return names;
}

// Tabs and line breaks inside a text would break the line format.
std::string OneField(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

CJsonObject RecordJson(const CListData& record, const DisplayUnits& units) {
    const TagSet& standard = record.StandardTags();
    const TagSet& ext = record.ExtendedTags();
    CJsonObject display;
    for (const ColumnKey key : AllColumnKeys())
        display.Add(ColumnTable()[key].Header, ColumnText(record, key, units));

    CJsonObject json;
    json.Add("FilePath", record.FilePath());
    // A path that is not UTF-8 shows U+FFFD above; its exact bytes come here.
    if (!CTextCodec::IsValidUtf8(record.FilePath()))
        json.Add(FilePathBytesField, Base64(record.FilePath()));
    json.Add("FileName", record.FileName())
        .Add("Ext", record.Ext())
        .Add("Size", record.Size())
        .Add("Title", standard.Title)
        .Add("Artist", standard.Artist)
        .Add("Album", standard.Album)
        .Add("Comment", standard.Comment)
        .Add("Year", standard.Year)
        .Add("TrackNum", standard.TrackNum)
        .Add("Genre", standard.Genre)
        .Add("ExtTitle", ext.Title)
        .Add("ExtArtist", ext.Artist)
        .Add("ExtAlbum", ext.Album)
        .Add("ExtComment", ext.Comment)
        .Add("ExtYear", ext.Year)
        .Add("ExtTrackNum", ext.TrackNum)
        .Add("ExtGenre", ext.Genre)
        .Add("Type", record.Type())
        .Add("SamplingRate", record.SamplingRate())
        .Add("BitRate", record.BitRate())
        .Add("Time", record.Time())
        .Add("TagSets", record.TagSets())
        .Add("IconIndex", record.IconIndex())
        .Add("State", StateNames(record))
        .Add("RefCount", record.RefCount())
        .Add("SizeTextKB", record.SizeTextKB())
        .Add("SizeTextMB", record.SizeTextMB())
        .Add("TimeTextClock", record.TimeTextClock())
        .Add("TimeTextSec", record.TimeTextSec())
        .Add("TimeTextMin", record.TimeTextMin())
        .Add("SamplingRateText", record.SamplingRateText())
        .Add("BitRateText", record.BitRateText())
        .Add("Display", display);
    return json;
}

std::string RecordLine(const CListData& record, const DisplayUnits& units) {
    std::string line;
    for (const ColumnKey key : AllColumnKeys()) {
        if (key != ColFilePath)
            line += '\t';
        line += OneField(ColumnText(record, key, units));
    }
    return line;
}

} // namespace torvane::cli
