#pragma once

#include "core/record/ListData.h"

#include <string>

namespace torvane::test {

// Every field a record shows, in one text, so two records compare field by field.
inline std::string DumpRecord(const CListData& record) {
    std::string text =
        record.FilePath() + "|" + std::string(record.FileName()) + "|" + record.Ext() + "|" +
        std::to_string(record.Size()) + "|" + record.SizeTextKB() + "|" + record.SizeTextMB() +
        "|" + std::to_string(record.Time()) + "|" + record.TimeTextClock() + "|" +
        record.TimeTextSec() + "|" + record.TimeTextMin() + "|" + std::to_string(record.BitRate()) +
        "|" + record.BitRateText() + "|" + std::to_string(record.SamplingRate()) + "|" +
        record.SamplingRateText() + "|" + record.Type() + "|" + std::to_string(record.TagSets()) +
        "|" + std::to_string(record.State()) + "|" + std::to_string(record.IconIndex());
    for (const TagSet& tags : {record.StandardTags(), record.ExtendedTags()})
        for (const std::string* field : {&tags.Title, &tags.Artist, &tags.Album, &tags.Comment,
                                         &tags.Year, &tags.TrackNum, &tags.Genre})
            text += "|" + *field;
    return text;
}

} // namespace torvane::test
