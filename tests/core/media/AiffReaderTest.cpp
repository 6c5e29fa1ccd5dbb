#include "core/media/AiffReader.h"
#include "Bytes.h"
#include "ReaderFixtures.h"
#include "core/media/ReaderTable.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;

CBytes Chunk(std::string_view id, const CBytes& body) {
    auto chunk = CBytes().Text(id).U32BE(static_cast<uint32_t>(body.Size())).Append(body);
    if (body.Size() % 2)
        chunk.U8(0);
    return chunk;
}

CBytes Form(std::string_view type, const CBytes& chunks) {
    return CBytes()
        .Text("FORM")
        .U32BE(static_cast<uint32_t>(chunks.Size() + 4))
        .Text(type)
        .Append(chunks);
}

// 44100 as an 80-bit extended number: 0xAC44 << 48 in the mantissa, exponent 16383 + 15.
CBytes Rate44100() {
    return CBytes().U16BE(0x400E).U32BE(0xAC440000).U32BE(0);
}

CBytes Common(uint16_t channels, uint32_t frames, uint16_t bits,
              std::string_view compression = "") {
    auto common = CBytes().U16BE(channels).U32BE(frames).U16BE(bits).Append(Rate44100());
    if (!compression.empty())
        common.Text(compression).U8(0).U8(0);
    return common;
}

CBytes Sound(size_t bytes) {
    return Chunk("SSND", CBytes().U32BE(0).U32BE(0).Fill(bytes));
}

AudioInfo Read(const CBytes& bytes) {
    AudioInfo info;
    EXPECT_TRUE(CAiffReader(CTextCodec()).Read(CMemorySource(bytes.Data()), info));
    return info;
}

// Values recorded from the encoder's files:
//   ffprobe -v error -show_entries stream=sample_rate,bit_rate:format=duration lib-names.aiff
//     -> sample_rate=8000, bit_rate=64000, duration=1.000000
//   ffprobe ... lib-id3.aif -> sample_rate=11025, bit_rate=88200, duration=1.000000
//   python3 -c "from mutagen.aiff import AIFF; print(AIFF('lib-id3.aif').tags.pprint())"
//     -> TALB=ID3 Album, TCON=Blues, TDRC=2011, TIT2=ID3 の題, TPE1=ID3 Artist, TRCK=6
TEST(AiffReader, RealFilesWithTextChunksAndAnId3Chunk) {
    const auto names = test::ReadRecord(test::DataFile("lib-names.aiff"));
    EXPECT_EQ(names->Type(), "AIFF");
    EXPECT_EQ(names->GetTitle(TagMode::Standard), "Name Chunk");
    EXPECT_EQ(names->GetArtist(TagMode::Standard), "Auth Chunk");
    EXPECT_EQ(names->GetComment(TagMode::Standard), "Anno Chunk");
    EXPECT_EQ(names->Time(), 1);
    EXPECT_EQ(names->SamplingRateText(), "8000 Hz");
    EXPECT_EQ(names->BitRateText(), "64 kbit");

    const auto id3 = test::ReadRecord(test::DataFile("lib-id3.aif"));
    EXPECT_EQ(id3->GetTitle(TagMode::Standard), "ID3 の題");
    EXPECT_EQ(id3->GetArtist(TagMode::Standard), "ID3 Artist");
    EXPECT_EQ(id3->GetAlbum(TagMode::Standard), "ID3 Album");
    EXPECT_EQ(id3->GetGenre(TagMode::Standard), "Blues");
    EXPECT_EQ(id3->GetYear(TagMode::Standard), "2011");
    EXPECT_EQ(id3->GetTrackNum(TagMode::Extended), "6");
    EXPECT_EQ(id3->TagSets(), CListData::ExtendedSet) << "one set, as INFO and ID3 in WAVE";
    EXPECT_EQ(id3->SamplingRateText(), "11025 Hz");
    EXPECT_EQ(id3->BitRateText(), "88 kbit");
    EXPECT_EQ(ReaderForExtension("aif"), "aiff");
    EXPECT_EQ(ReaderForExtension("AIFF"), "aiff");
}

TEST(AiffReader, Id3TextsArePreferredWhereverTheChunkStands) {
    const auto tag = CBytes()
                         .Text("ID3")
                         .U8(3)
                         .U8(0)
                         .U8(0)
                         .Synchsafe(17)
                         .Text("TIT2")
                         .U32BE(7)
                         .U16BE(0)
                         .U8(3)
                         .Text("Tagged");
    const auto chunks = CBytes()
                            .Append(Chunk("ID3 ", tag))
                            .Append(Chunk("NAME", CBytes().Text("Named")))
                            .Append(Chunk("AUTH", CBytes().Text("Author")))
                            .Append(Chunk("COMM", Common(2, 441000, 16)))
                            .Append(Sound(1000));
    const AudioInfo info = Read(Form("AIFF", chunks));
    EXPECT_EQ(info.Ext.Title, "Tagged");
    EXPECT_EQ(info.Ext.Artist, "Author") << "the chunk fills what the tag lacks";
    EXPECT_EQ(info.PlayTime, 10);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.BitRate, 1411) << "44100 * 2 * 16 / 1000";
}

TEST(AiffReader, CompressedAiffCIsTimedByItsSoundData) {
    // 44,100 frames of 8-bit mu-law (the sample size field says 16): 1 s of 44,100 bytes.
    auto info =
        Read(Form("AIFC", Chunk("COMM", Common(1, 44100, 16, "ulaw")).Append(Sound(44100))));
    EXPECT_EQ(info.BitRate, 352);
    EXPECT_EQ(info.PlayTime, 1);
    // Little-endian PCM is still timed by its sample size.
    info = Read(Form("AIFC", Chunk("COMM", Common(2, 44100, 16, "sowt")).Append(Sound(10))));
    EXPECT_EQ(info.BitRate, 1411);
}

TEST(AiffReader, ExtendedSamplingRates) {
    const auto rate = [](uint16_t exponent, uint64_t mantissa) {
        const auto bytes = CBytes()
                               .U16BE(exponent)
                               .U32BE(static_cast<uint32_t>(mantissa >> 32))
                               .U32BE(static_cast<uint32_t>(mantissa));
        return ExtendedToUint32(bytes.Data());
    };
    EXPECT_EQ(rate(0x400E, 0xAC44000000000000), 44100u);
    EXPECT_EQ(rate(0x400E, 0xBB80000000000000), 48000u);
    EXPECT_EQ(rate(0x400B, 0xFA00000000000000), 8000u);
    EXPECT_EQ(rate(0x400B, 0xFA01000000000000), 8000u) << "8000.125 truncates";
    EXPECT_EQ(rate(0x3FFE, 0x8000000000000000), 0u) << "0.5";
    EXPECT_EQ(rate(0xC00E, 0xAC44000000000000), 0u) << "negative";
    EXPECT_EQ(rate(0x7FFF, 0x8000000000000000), UINT32_MAX) << "infinity";
    EXPECT_EQ(rate(0x0000, 0), 0u);
    EXPECT_EQ(ExtendedToUint32(CBytes().U16BE(0x400E).Data()), 0u) << "too short";
}

TEST(AiffReader, BrokenFilesAreReadQuietly) {
    // No COMM chunk, a COMM chunk with a zero rate, and a chunk whose size runs past the end.
    EXPECT_EQ(Read(Form("AIFF", Sound(100))).PlayTime, 0);
    auto zeroRate = Form("AIFF", Chunk("COMM", CBytes().U16BE(2).U32BE(1000).U16BE(16).Fill(10)));
    EXPECT_EQ(Read(zeroRate).PlayTime, 0);
    auto lying = Form("AIFF", CBytes().Text("NAME").U32BE(0xFFFFFFF0).Text("cut short"));
    EXPECT_EQ(Read(lying).Ext.Title, "cut short");

    AudioInfo none;
    EXPECT_FALSE(CAiffReader(CTextCodec()).Read(CMemorySource(Form("WAVE", {}).Data()), none));
    test::ForEachBrokenCopy(test::DataBytes("lib-id3.aif"), [](const std::vector<uint8_t>& b) {
        AudioInfo info;
        CAiffReader(CTextCodec()).Read(CMemorySource(b), info);
        EXPECT_LE(info.Ext.Title.size(), AudioInfo::MaxId3TextBytes);
        EXPECT_GE(info.PlayTime, 0);
    });
}

} // namespace
} // namespace torvane
