#include "core/record/PackedTags.h"
#include "RecordDump.h"
#include "core/media/MpegReader.h"
#include "core/reading/TagCache.h"
#include "core/record/ListData.h"

#include <gtest/gtest.h>

#include <string>

namespace torvane {
namespace {

using namespace std::string_literals;

std::string Joined(const TagSet& tags) {
    return tags.Title + "|" + tags.Artist + "|" + tags.Album + "|" + tags.Comment + "|" +
           tags.Year + "|" + tags.TrackNum + "|" + tags.Genre;
}

// Texts a crafted file can give: NULs inside, empty fields between full ones, a comment longer
// than 16-bit offsets reach, bytes that are not UTF-8.
TEST(PackedTags, EveryFieldComesBackExactlyAndEndsInANul) {
    TagSet standard;
    standard.Artist = "a\0b"s;
    standard.Comment = std::string(100000, 'c') + "\xff\xfe";
    standard.Genre = "\0"s;
    TagSet extended;
    extended.Title = "Title";
    extended.TrackNum = "4/12";
    const PackedTags tags(standard, extended);
    ASSERT_FALSE(tags.Empty());
    EXPECT_EQ(Joined(tags.Unpack(PackedTags::Standard)), Joined(standard));
    EXPECT_EQ(Joined(tags.Unpack(PackedTags::Extended)), Joined(extended));
    for (const PackedTags::Set set : {PackedTags::Standard, PackedTags::Extended})
        for (int field = 0; field < PackedTags::FieldCount; ++field) {
            const std::string_view text = tags.Text(set, static_cast<PackedTags::Field>(field));
            EXPECT_EQ(text.data()[text.size()], '\0') << set << " " << field;
        }
    EXPECT_EQ(tags.Text(PackedTags::Standard, PackedTags::Genre), "\0"s);
    EXPECT_EQ(tags.Text(PackedTags::Extended, PackedTags::Genre), "");

    const PackedTags none{TagSet{}, TagSet{}};
    EXPECT_TRUE(none.Empty()) << "empty fields take no block";
    EXPECT_EQ(none.Text(PackedTags::Extended, PackedTags::Title), "");
    EXPECT_EQ(Joined(none.Unpack(PackedTags::Standard)), "||||||");
}

AudioInfo BothSets() {
    AudioInfo info;
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    info.Std.Title = "v1 title";
    info.Std.Artist = "v1 artist";
    info.Std.Comment = "two\r\nlines";
    info.Std.Year = "1999";
    info.Std.TrackNum = "3";
    info.Ext.Title = "v2 title of a length beyond the short strings";
    info.Ext.Album = "v2 album";
    info.Ext.Comment = "ext\ncomment";
    info.Ext.Genre = "Rock";
    info.PlayTime = 200;
    info.BitRate = 192;
    info.SamplingRate = 44100;
    FinishMpegInfo(info);
    return info;
}

// The facts a read record hands the tag cache make another record the same one; clearing
// empties the tags and reading again fills them as the first reading did.
TEST(PackedTags, RecordsCopyClearAndReadTheirTagsAgainAsBefore) {
    CListData read;
    read.SetPath("/m/a.mp3");
    read.SetSize(5000);
    read.FillFrom(BothSets());
    read.SetState(CListData::InfoRead, true);
    EXPECT_EQ(read.GetComment(TagMode::Standard), "two  lines");
    EXPECT_EQ(read.GetComment(TagMode::Extended), "ext comment");

    // through the tag cache, as a later run takes them
    CTagCache cache("/nonexistent/tags.cache", "CP932");
    cache.Store("/m/a.mp3", {.Size = 5000}, read);
    CachedFacts facts;
    ASSERT_TRUE(cache.Find("/m/a.mp3", {.Size = 5000}, facts));
    EXPECT_EQ(Joined(facts.Facts.Std), Joined(read.StandardTags()));
    EXPECT_EQ(Joined(facts.Facts.Ext), "v2 title of a length beyond the short strings||v2 album|"
                                       "ext comment|||Rock");
    CListData copy;
    copy.SetPath("/m/a.mp3");
    copy.TakeCachedFacts(CachedFacts(facts));
    EXPECT_EQ(test::DumpRecord(copy), test::DumpRecord(read));

    copy.ClearInfo();
    for (const TagMode mode : {TagMode::Standard, TagMode::Extended})
        EXPECT_EQ(copy.GetTitle(mode), "");
    EXPECT_EQ(Joined(copy.StandardTags()), "||||||");
    EXPECT_EQ(Joined(copy.ExtendedTags()), "||||||");
    EXPECT_EQ(copy.TagSets(), 0);
    EXPECT_EQ(copy.BitRate(), 0);
    EXPECT_EQ(copy.BitRateText(), "");

    // A reader that keeps the title leaves the cleared one empty; the next fills it.
    AudioInfo keeping = BothSets();
    keeping.Kept = AudioInfo::TitleKept | AudioInfo::ExtendedSetKept;
    copy.FillFrom(keeping);
    EXPECT_EQ(copy.GetTitle(TagMode::Standard), "");
    EXPECT_EQ(copy.GetArtist(TagMode::Standard), "v1 artist");
    EXPECT_EQ(Joined(copy.ExtendedTags()), "||||||");
    copy.FillFrom(BothSets());
    copy.SetSize(5000);
    copy.SetState(CListData::InfoRead, true);
    EXPECT_EQ(test::DumpRecord(copy), test::DumpRecord(read));

    // Taking the facts of an unread file leaves no tags behind.
    copy.TakeCachedFacts(CachedFacts{});
    EXPECT_EQ(Joined(copy.StandardTags()), "||||||");
    EXPECT_EQ(copy.GetTitle(TagMode::Extended), "");
}

} // namespace
} // namespace torvane
