#include "core/commands/DataBarTexts.h"

#include "core/record/ListData.h"

namespace torvane {
namespace {

// "first (second)", emptied when neither value was read (" ()") or both are unavailable
// ("-- (--)").
std::string PairOrNothing(const std::string& first, const std::string& second) {
    std::string pair = first + " (" + second + ")";
    return pair == " ()" || pair == "-- (--)" ? std::string() : pair;
}

} // namespace

DataBarTexts DataBarTextsOf(const CListData& record, TagMode tagMode) {
    DataBarTexts texts;
    texts.Path = record.FilePath();
    texts.Name = std::string(record.FileName());
    texts.Title = record.GetTitle(tagMode);
    texts.Artist = record.GetArtist(tagMode);
    texts.Album = record.GetAlbum(tagMode);
    texts.Comment = record.GetComment(tagMode);
    texts.Size = PairOrNothing(record.SizeTextMB(), record.SizeTextKB());
    texts.Time = PairOrNothing(record.TimeTextClock(), record.TimeTextSec());
    texts.Type = record.Type();
    texts.Rate = record.BitRateText();
    if (!texts.Rate.empty())
        texts.Rate += " / ";
    texts.Rate += record.SamplingRateText();
    return texts;
}

} // namespace torvane
