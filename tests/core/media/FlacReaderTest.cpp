#include "core/media/FlacReader.h"
#include "Bytes.h"
#include "ReaderFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;

AudioInfo Read(const std::vector<uint8_t>& bytes) {
    AudioInfo info;
    EXPECT_TRUE(CFlacReader().Read(CMemorySource(bytes), info));
    return info;
}

// STREAMINFO: block and frame sizes, then rate (20 bits), channels - 1 (3), bits - 1 (5) and
// the total samples (36).
CBytes StreamInfo(uint32_t rate, uint64_t samples) {
    const uint64_t packed =
        uint64_t{rate} << 44 | uint64_t{1} << 41 | uint64_t{15} << 36 | (samples & 0xFFFFFFFFFull);
    return CBytes()
        .U16BE(4096)
        .U16BE(4096)
        .U24BE(0)
        .U24BE(0)
        .U32BE(static_cast<uint32_t>(packed >> 32))
        .U32BE(static_cast<uint32_t>(packed))
        .Fill(16);
}

CBytes Block(uint8_t type, const CBytes& body, bool last = false) {
    return CBytes()
        .U8(static_cast<uint8_t>(type | (last ? 0x80 : 0)))
        .U24BE(static_cast<uint32_t>(body.Size()))
        .Append(body);
}

CBytes CommentList(const std::vector<std::string>& comments, uint32_t count = 0) {
    CBytes list;
    list.U32LE(6).Text("vendor").U32LE(count ? count : static_cast<uint32_t>(comments.size()));
    for (const auto& comment : comments)
        list.U32LE(static_cast<uint32_t>(comment.size())).Text(comment);
    return list;
}

CBytes Flac(const CBytes& blocks, size_t audioBytes) {
    return CBytes().Text("fLaC").Append(blocks).Fill(audioBytes, 0x55);
}

// Values recorded from the encoder's file:
//   ffprobe -v error -show_entries format=duration:stream=sample_rate lib-tone.flac
//     -> duration=1.000000, sample_rate=8000
//   python3 -c "import mutagen; print(mutagen.File('lib-tone.flac').info.bitrate)" -> 24992
TEST(FlacReader, RealFileFromTheEncoder) {
    const auto record = test::ReadRecord(test::DataFile("lib-tone.flac"));
    EXPECT_EQ(record->Type(), "FLAC");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "川の流れ");
    EXPECT_EQ(record->GetArtist(TagMode::Standard), "鈴木 花子");
    EXPECT_EQ(record->GetAlbum(TagMode::Standard), "FLAC Album");
    EXPECT_EQ(record->GetComment(TagMode::Standard), "first line");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "5") << "TRACKNUMBER=05/09";
    EXPECT_EQ(record->GetGenre(TagMode::Standard), "Folk");
    EXPECT_EQ(record->GetYear(TagMode::Extended), "2018") << "one set, shown in both modes";
    EXPECT_EQ(record->Time(), 1);
    EXPECT_EQ(record->SamplingRateText(), "8000 Hz");
    EXPECT_EQ(record->BitRateText(), "24 kbit") << "the audio bytes after the metadata";
    EXPECT_TRUE(record->Has(CListData::InfoRead));
}

// FLAC in Ogg, named ".ogg" (tests/data/README-lib.md):
//   ffprobe -v error -show_entries stream=sample_rate:format=duration lib-flac-content.ogg
//     -> sample_rate=8000, duration=1.000000
// The bit rate is that of the one audio page, 5,847 bytes (the page listing of README-lib.md),
// over that second.
TEST(FlacReader, FlacInOgg) {
    const auto record = test::ReadRecord(test::DataFile("lib-flac-content.ogg"));
    EXPECT_EQ(record->Type(), "Ogg FLAC");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "オッグ");
    EXPECT_EQ(record->GetArtist(TagMode::Standard), "Ogg Flac Artist");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "3");
    EXPECT_EQ(record->Time(), 1);
    EXPECT_EQ(record->SamplingRateText(), "8000 Hz");
    EXPECT_EQ(record->BitRateText(), "46 kbit");

    test::ForEachBrokenCopy(test::DataBytes("lib-flac-content.ogg"),
                            [](const std::vector<uint8_t>& bytes) {
                                AudioInfo broken;
                                CFlacReader().Read(CMemorySource(bytes), broken);
                                EXPECT_GE(broken.PlayTime, 0);
                                EXPECT_GE(broken.BitRate, 0);
                            });
}

TEST(FlacReader, Id3v2TagsInFrontAreSkipped) {
    const auto real = test::DataBytes("lib-tone.flac");
    const auto tag = CBytes().Text("ID3").U8(3).U8(0).U8(0).Synchsafe(300).Fill(300);
    const auto tagged = CBytes().Append(tag).Append(tag).Append(real);
    const AudioInfo plain = Read(real);
    const AudioInfo info = Read(tagged.Data());
    EXPECT_EQ(info.Std.Title, "川の流れ");
    EXPECT_EQ(info.PlayTime, plain.PlayTime);
    EXPECT_EQ(info.BitRate, plain.BitRate);

    AudioInfo none;
    EXPECT_FALSE(CFlacReader().Read(CMemorySource(tag.Data()), none)) << "a tag and no stream";
}

TEST(FlacReader, StreamInfoGivesTimeAndAverageBitRate) {
    // 441,000 samples at 44.1 kHz and 1,411,200 bytes of audio: 10 s at 1128.96 kbit/s.
    auto info = Read(Flac(Block(0, StreamInfo(44100, 441000), true), 1'411'200).Data());
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 10);
    EXPECT_EQ(info.BitRate, 1128);
    EXPECT_EQ(info.TagSets, 0) << "no comment block";

    // An unknown sample count (0) or a rate of 0 gives no time and no bit rate.
    info = Read(Flac(Block(0, StreamInfo(44100, 0), true), 1000).Data());
    EXPECT_EQ(info.PlayTime, 0);
    EXPECT_EQ(info.BitRate, 0);
    info = Read(Flac(Block(0, StreamInfo(0, 441000), true), 1000).Data());
    EXPECT_EQ(info.PlayTime, 0);
    EXPECT_EQ(info.BitRate, 0);

    // The largest sample count of 36 bits.
    info = Read(Flac(Block(0, StreamInfo(1, 0xFFFFFFFFFull), true), 10).Data());
    EXPECT_EQ(info.PlayTime, INT32_MAX);
}

TEST(FlacReader, CommentsFollowTheVorbisRules) {
    const auto blocks =
        CBytes()
            .Append(Block(0, StreamInfo(48000, 48000)))
            .Append(Block(1, CBytes().Fill(100))) // padding before the comments
            .Append(Block(4, CommentList({"title=Song", "TITLE=Other", "TRACKNUMBER=x",
                                          "DATE=2001-02-03", "no equals sign"})))
            .Append(Block(4, CommentList({"TITLE=second block"}), true));
    const AudioInfo info = Read(Flac(blocks, 6000).Data());
    EXPECT_EQ(info.Std.Title, "Other") << "keys in any case, the last one wins";
    EXPECT_EQ(info.Std.TrackNum, "") << "no number, no track";
    EXPECT_EQ(info.Std.Year, "2001-02-03");
    EXPECT_EQ(info.TagSets, AudioInfo::StandardSet);
    EXPECT_EQ(info.BitRate, 48) << "6,000 bytes over 1 s";

    const std::string longValue = "TITLE=" + std::string(300, 'x');
    EXPECT_EQ(Read(Flac(Block(4, CommentList({longValue}), true), 0).Data()).Std.Title.size(),
              255u);
}

TEST(FlacReader, LyingSizesAndCountsEndQuietly) {
    // A comment count far above what the block holds, a comment longer than the block, and a
    // block longer than the file.
    const auto lying = CBytes()
                           .Append(Block(0, StreamInfo(8000, 8000)))
                           .Append(Block(4, CommentList({"TITLE=kept"}, 0xFFFFFFFF)))
                           .Append(Block(4, CBytes().U32LE(0).U32LE(1).U32LE(0xFFFFFF00)))
                           .U8(0x84)
                           .U24BE(0xFFFFFF);
    const AudioInfo info = Read(Flac(lying, 10).Data());
    EXPECT_EQ(info.Std.Title, "kept");
    EXPECT_EQ(info.SamplingRate, 8000);

    test::ForEachBrokenCopy(test::DataBytes("lib-tone.flac"),
                            [](const std::vector<uint8_t>& bytes) {
                                AudioInfo broken;
                                CFlacReader().Read(CMemorySource(bytes), broken);
                                EXPECT_LE(broken.Std.Title.size(), AudioInfo::MaxTextBytes);
                                EXPECT_GE(broken.PlayTime, 0);
                            });
}

TEST(FlacReader, OtherFilesAreRefused) {
    AudioInfo info;
    EXPECT_FALSE(CFlacReader().Read(CMemorySource(CBytes().Text("OggS").Fill(100).Data()), info));
    EXPECT_FALSE(CFlacReader().Read(test::DataFile("lib-tone.flac.gone"), info));
}

} // namespace
} // namespace torvane
