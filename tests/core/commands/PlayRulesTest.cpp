#include "core/commands/PlayRules.h"
#include "MpegFill.h"
#include "core/base/Random.h"
#include "core/commands/DataBarTexts.h"
#include "core/record/ListData.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

// An MPEG record with both tag sets, 205 seconds and 44100 Hz; bitRate -1 is a variable rate.
CListData& Tagged(CListData& record, int32_t bitRate) {
    record.SetPath("/music/Album/Song.mp3");
    record.SetSize(3'287'040);
    AudioInfo info;
    info.Std.Title = "Std title";
    info.Std.Comment = "std comment";
    info.Ext.Title = "Ext title";
    info.Ext.Artist = "Ext artist";
    info.Ext.Album = "Ext album";
    info.Ext.Comment = "ext comment";
    info.PlayTime = 205;
    info.BitRate = bitRate;
    info.SamplingRate = 44100;
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    test::FillAsMpeg(record, info);
    return record;
}

TEST(PlayRules, NowPlayingTakesTheExtendedTagsAndPairs) {
    CListData record;
    const NowPlaying now = NowPlayingOf(Tagged(record, 128));
    EXPECT_EQ(now.Path, "/music/Album/Song.mp3");
    EXPECT_EQ(now.Title, "Ext title");
    EXPECT_EQ(now.Artist, "Ext artist");
    EXPECT_EQ(now.Album, "Ext album");
    EXPECT_EQ(now.Time, "03:25 ( 205 sec )");
    EXPECT_EQ(now.Size, "3,210.0 kB ( 3.1 MB )");
    EXPECT_EQ(now.BitRate, "128 kbit");
    EXPECT_EQ(now.SamplingRate, "44100 Hz");
}

TEST(PlayRules, FactsMenuShowsTheLabelsBeforeAnyPlay) {
    const std::vector<std::string> expected{
        "File Path\t: ", "",         "Track \t: ", "Artist\t: ",  "Album \t: ",      "",
        "Time\t: ",      "Size\t: ", "",           "BitRate\t: ", "SamplingRate\t: "};
    EXPECT_EQ(NowPlayingMenu(NowPlaying{}), expected);

    CListData record;
    const std::vector<std::string> entries = NowPlayingMenu(NowPlayingOf(Tagged(record, -1)));
    EXPECT_EQ(entries[0], "File Path\t: /music/Album/Song.mp3");
    EXPECT_EQ(entries[2], "Track \t: Ext title");
    EXPECT_EQ(entries[9], "BitRate\t: (VBR)");
}

TEST(PlayRules, StepsWrapAtBothEnds) {
    CRandom random;
    EXPECT_EQ(NextPlayIndex(PlayMode::Continuous, 2, +1, 3, random), 0);
    EXPECT_EQ(NextPlayIndex(PlayMode::Continuous, 0, -1, 3, random), 2);
    EXPECT_EQ(NextPlayIndex(PlayMode::Continuous, 1, +1, 3, random), 2);
    // single mode steps as continuous mode does
    EXPECT_EQ(NextPlayIndex(PlayMode::Single, 0, -1, 3, random), 2);
    // a place remembered from a list that has become shorter starts over at the first record
    EXPECT_EQ(NextPlayIndex(PlayMode::Continuous, 7, -1, 3, random), 0);
    // before the first play the place is -1
    EXPECT_EQ(NextPlayIndex(PlayMode::Continuous, -1, -1, 3, random), 2);
}

TEST(DataBarTexts, ReadRecordInTheDisplayedTagMode) {
    CListData record;
    Tagged(record, 128);
    DataBarTexts texts = DataBarTextsOf(record, TagMode::Standard);
    EXPECT_EQ(texts.Path, "/music/Album/Song.mp3");
    EXPECT_EQ(texts.Name, "Song");
    EXPECT_EQ(texts.Title, "Std title");
    EXPECT_EQ(texts.Comment, "std comment");
    EXPECT_EQ(texts.Type, "ID3 V1・ID3 V2");
    EXPECT_EQ(texts.Size, "3.1 MB (3,210.0 kB)");
    EXPECT_EQ(texts.Time, "03:25 (205 sec)");
    EXPECT_EQ(texts.Rate, "128 kbit / 44100 Hz");
    texts = DataBarTextsOf(record, TagMode::Extended);
    EXPECT_EQ(texts.Title, "Ext title");
    EXPECT_EQ(texts.Artist, "Ext artist");
    EXPECT_EQ(texts.Album, "Ext album");
    EXPECT_EQ(texts.Comment, "ext comment");

    EXPECT_EQ(DataBarTextsOf(Tagged(record, -1), TagMode::Standard).Rate, "(VBR) / 44100 Hz");
}

TEST(DataBarTexts, UnreadAndMissingSizesAndTimesShowNothing) {
    CListData record;
    record.SetPath("/music/never read.wav");
    DataBarTexts texts = DataBarTextsOf(record, TagMode::Standard);
    EXPECT_EQ(texts.Size, "");
    EXPECT_EQ(texts.Time, "");
    EXPECT_EQ(texts.Rate, "");

    record.SetSize(-1); // a missing file
    record.SetTime(-1);
    texts = DataBarTextsOf(record, TagMode::Standard);
    EXPECT_EQ(texts.Size, "");
    EXPECT_EQ(texts.Time, "");

    record.SetSize(2048); // a size but no time
    texts = DataBarTextsOf(record, TagMode::Standard);
    EXPECT_EQ(texts.Size, "0.1 MB (2.0 kB)");
    EXPECT_EQ(texts.Time, "");
}

} // namespace
} // namespace torvane
