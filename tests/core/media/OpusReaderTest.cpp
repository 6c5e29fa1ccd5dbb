#include "core/media/OpusReader.h"
#include "ReaderFixtures.h"
#include "core/media/ReaderTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace torvane {
namespace {

AudioInfo Read(const std::vector<uint8_t>& bytes) {
    AudioInfo info;
    EXPECT_TRUE(COpusReader().Read(CMemorySource(bytes), info));
    return info;
}

// The pre-skip of the OpusHead packet on the first page (27 + 1 header bytes, "OpusHead",
// version and channels before it).
constexpr size_t PreSkipOffset = 28 + 10;

// Values recorded from the encoder's file, whose 9 KB tags packet spans three pages:
//   opusinfo lib-tags.opus -> "Original sample rate: 16000 Hz", "Playback length: 0m:01.000s"
//   ffprobe -v error -show_entries format=duration lib-tags.opus -> duration=1.006500
// The bit rate is that of the two audio pages, 1,162 bytes (page sizes listed by the script in
// tests/data/README-lib.md), over 48,000 samples: 9,296 bit/s.
TEST(OpusReader, RealFileWithCommentsOverSeveralPages) {
    const auto record = test::ReadRecord(test::DataFile("lib-tags.opus"));
    EXPECT_EQ(record->Type(), "Opus");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "朝の歌");
    EXPECT_EQ(record->GetArtist(TagMode::Standard), "山田 太郎");
    EXPECT_EQ(record->GetAlbum(TagMode::Standard), "Opus Album");
    EXPECT_EQ(record->GetComment(TagMode::Standard), "opus comment");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "4") << "TRACKNUMBER=4/10";
    EXPECT_EQ(record->GetGenre(TagMode::Standard), "Ambient");
    EXPECT_EQ(record->GetYear(TagMode::Standard), "2022");
    EXPECT_EQ(record->Time(), 1);
    EXPECT_EQ(record->SamplingRateText(), "16000 Hz") << "the input rate, not the 48 kHz";
    EXPECT_EQ(record->BitRateText(), "9 kbit") << "the tags are no audio";
}

TEST(OpusReader, OggFileHoldingOpusIsReadAsOpus) {
    // The same stream without the long comment, named ".ogg".
    const auto record = test::ReadRecord(test::DataFile("lib-opus-content.ogg"));
    EXPECT_EQ(record->Type(), "Opus");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "朝の歌");
    EXPECT_EQ(record->BitRateText(), "9 kbit");
    EXPECT_EQ(ReaderForExtension("ogg"), "ogg");
    EXPECT_EQ(ReaderForExtension("OPUS"), "opus");

    // A Vorbis file is not taken by the Opus reader and still reads as before.
    AudioInfo info;
    EXPECT_FALSE(COpusReader().Read(test::DataFile("oggwma-tone.ogg"), info));
    EXPECT_EQ(test::ReadRecord(test::DataFile("oggwma-tone.ogg"))->Type(), "OggVorbis");
}

TEST(OpusReader, PreSkipAboveTheLastGranuleGivesNoTime) {
    auto bytes = test::DataBytes("lib-opus-content.ogg");
    ASSERT_GT(bytes.size(), PreSkipOffset + 2);
    bytes[PreSkipOffset] = 0xFF;
    bytes[PreSkipOffset + 1] = 0xFF; // 65,535 samples, more than the stream's 48,312
    const AudioInfo info = Read(bytes);
    EXPECT_EQ(info.PlayTime, 0);
    EXPECT_EQ(info.BitRate, 0);
    EXPECT_EQ(info.Std.Title, "朝の歌") << "the tags are still read";
}

TEST(OpusReader, UnknownInputRateShowsThePlaybackRate) {
    auto bytes = test::DataBytes("lib-opus-content.ogg");
    std::fill_n(bytes.begin() + PreSkipOffset + 2, 4, uint8_t{0});
    EXPECT_EQ(Read(bytes).SamplingRate, 48000);
}

TEST(OpusReader, BrokenFilesAreReadQuietly) {
    test::ForEachBrokenCopy(test::DataBytes("lib-opus-content.ogg"),
                            [](const std::vector<uint8_t>& bytes) {
                                AudioInfo info;
                                COpusReader().Read(CMemorySource(bytes), info);
                                EXPECT_LE(info.Std.Title.size(), AudioInfo::MaxTextBytes);
                                EXPECT_GE(info.PlayTime, 0);
                                EXPECT_GE(info.BitRate, 0);
                            });
}

} // namespace
} // namespace torvane
