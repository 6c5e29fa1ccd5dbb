#include "core/media/Mp4Reader.h"
#include "Bytes.h"
#include "ReaderFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;

CBytes Atom(std::string_view type, const CBytes& body) {
    return CBytes().U32BE(static_cast<uint32_t>(body.Size() + 8)).Text(type).Append(body);
}

// An atom with the 64-bit size form: size 1, the type, then the size in 64 bits.
CBytes LargeAtom(std::string_view type, const CBytes& body) {
    const uint64_t size = body.Size() + 16;
    return CBytes()
        .U32BE(1)
        .Text(type)
        .U32BE(static_cast<uint32_t>(size >> 32))
        .U32BE(static_cast<uint32_t>(size))
        .Append(body);
}

CBytes FullAtom(std::string_view type, const CBytes& body, uint8_t version = 0) {
    return Atom(type, CBytes().U8(version).U24BE(0).Append(body));
}

// Version 0 media or movie header: two times, the time scale, the duration, then more fields.
CBytes Header(std::string_view type, uint32_t scale, uint32_t duration) {
    return FullAtom(type, CBytes().U32BE(0).U32BE(0).U32BE(scale).U32BE(duration).Fill(8));
}

// An "mp4a" sample entry at rate with an "esds" of the given average bit rate.
CBytes Mp4aEntry(uint32_t rate, uint32_t averageBitRate) {
    CBytes decoder;
    decoder.U8(4).U8(13).U8(0x40).U8(0x15).U24BE(0).U32BE(averageBitRate).U32BE(averageBitRate);
    CBytes es;
    es.U8(3).U8(static_cast<uint8_t>(3 + decoder.Size())).U16BE(1).U8(0).Append(decoder);
    CBytes entry;
    entry.Fill(6).U16BE(1).U16BE(0).U16BE(0).U32BE(0).U16BE(2).U16BE(16).U16BE(0).U16BE(0);
    entry.U32BE(rate << 16).Append(FullAtom("esds", es));
    return Atom("mp4a", entry);
}

CBytes SoundTrack(const CBytes& sampleEntry, uint32_t scale, uint32_t duration) {
    const auto stsd = FullAtom("stsd", CBytes().U32BE(1).Append(sampleEntry));
    const auto hdlr = FullAtom("hdlr", CBytes().U32BE(0).Text("soun").Fill(12));
    const auto minf = Atom("minf", Atom("stbl", stsd));
    return Atom(
        "trak",
        Atom("mdia", CBytes().Append(Header("mdhd", scale, duration)).Append(hdlr).Append(minf)));
}

CBytes Item(std::string_view type, uint32_t dataType, const CBytes& value) {
    return Atom(type, Atom("data", CBytes().U32BE(dataType).U32BE(0).Append(value)));
}

// The children of "moov": a movie header of 99 s, the track and the item list.
CBytes MovieBody(const CBytes& track, const CBytes& items) {
    const auto meta = FullAtom("meta", Atom("ilst", items));
    return CBytes().Append(Header("mvhd", 1000, 99'000)).Append(track).Append(Atom("udta", meta));
}

CBytes Movie(const CBytes& track, const CBytes& items) {
    return Atom("moov", MovieBody(track, items));
}

AudioInfo Read(const CBytes& bytes) {
    AudioInfo info;
    EXPECT_TRUE(CMp4Reader().Read(CMemorySource(bytes.Data()), info));
    return info;
}

const CBytes Ftyp = Atom("ftyp", CBytes().Text("M4A ").U32BE(0).Text("M4A isom"));

// Values recorded from the encoders' files (ffmpeg writes the movie atom after the media data):
//   ffprobe -v error -show_entries stream=sample_rate,bit_rate:format=duration lib-aac.m4a
//     -> sample_rate=22050, bit_rate=25205, duration=1.000000
//   python3 -c "import mutagen; i=mutagen.File('lib-aac.m4a').info; print(i.bitrate)" -> 25205
//   ffprobe ... lib-alac.m4a -> sample_rate=8000, bit_rate=50496, duration=1.000000
TEST(Mp4Reader, RealAacAndAlacFiles) {
    const auto aac = test::ReadRecord(test::DataFile("lib-aac.m4a"));
    EXPECT_EQ(aac->Type(), "MP4 AAC");
    EXPECT_EQ(aac->GetTitle(TagMode::Standard), "港の灯");
    EXPECT_EQ(aac->GetArtist(TagMode::Standard), "佐藤 次郎");
    EXPECT_EQ(aac->GetAlbum(TagMode::Standard), "M4A Album");
    EXPECT_EQ(aac->GetComment(TagMode::Standard), "aac comment");
    EXPECT_EQ(aac->GetTrackNum(TagMode::Standard), "2") << "track 2 of 8";
    EXPECT_EQ(aac->GetGenre(TagMode::Standard), "Jazz");
    EXPECT_EQ(aac->GetYear(TagMode::Standard), "2015");
    EXPECT_EQ(aac->Time(), 1);
    EXPECT_EQ(aac->SamplingRateText(), "22050 Hz");
    EXPECT_EQ(aac->BitRateText(), "25 kbit");

    const auto alac = test::ReadRecord(test::DataFile("lib-alac.m4a"));
    EXPECT_EQ(alac->Type(), "MP4 ALAC");
    EXPECT_EQ(alac->GetTitle(TagMode::Standard), "Lossless");
    EXPECT_EQ(alac->GetTrackNum(TagMode::Standard), "11");
    EXPECT_EQ(alac->Time(), 1);
    EXPECT_EQ(alac->SamplingRateText(), "8000 Hz");
    EXPECT_EQ(alac->BitRateText(), "50 kbit") << "the media data's average, not the cookie's";
}

TEST(Mp4Reader, ItemsAndTheirValueTypes) {
    const auto items = CBytes()
                           .Append(Item("\xA9nam", 1, CBytes().Text("Title")))
                           .Append(Item("\xA9"
                                        "ART",
                                        2, CBytes().U16BE(0x6B4C).U16BE(0x7530)))
                           .Append(Item("gnre", 0, CBytes().U16BE(18)))
                           .Append(Item("trkn", 0, CBytes().U16BE(0).U16BE(0).U16BE(5).U16BE(0)))
                           .Append(Atom("----", Atom("mean", CBytes().Text("com.apple"))))
                           .Append(Item("\xA9"
                                        "day",
                                        1, CBytes().Text("2009-05-01T00:00:00Z")));
    const auto file = CBytes()
                          .Append(Ftyp)
                          .Append(Movie(SoundTrack(Mp4aEntry(44100, 128000), 44100, 441000), items))
                          .Append(Atom("mdat", CBytes().Fill(1000)));
    const AudioInfo info = Read(file);
    EXPECT_EQ(info.Std.Title, "Title");
    EXPECT_EQ(info.Std.Artist, "歌田") << "UTF-16 big-endian";
    EXPECT_EQ(info.Std.Genre, "Rock") << "gnre 18 is ID3v1 genre 17";
    EXPECT_EQ(info.Std.TrackNum, "") << "track 0 is none";
    EXPECT_EQ(info.Std.Year, "2009-05-01T00:00:00Z");
    EXPECT_EQ(info.PlayTime, 10) << "the sound track's media header, not the movie's 99 s";
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.TagSets, AudioInfo::StandardSet);
}

TEST(Mp4Reader, LargeSizesZeroSizesAndMovieAfterMedia) {
    const auto track = SoundTrack(Mp4aEntry(48000, 0), 48000, 480000);
    const auto body = MovieBody(track, Item("\xA9nam", 1, CBytes().Text("Late movie")));
    // 64-bit sizes, the movie after the media data, and a last atom of size 0 (to the end).
    const auto file = CBytes()
                          .Append(Ftyp)
                          .Append(LargeAtom("mdat", CBytes().Fill(200'000)))
                          .Append(LargeAtom("moov", body))
                          .U32BE(0)
                          .Text("free")
                          .Fill(50);
    const AudioInfo info = Read(file);
    EXPECT_EQ(info.Std.Title, "Late movie");
    EXPECT_EQ(info.PlayTime, 10);
    EXPECT_EQ(info.BitRate, 160) << "without an average in esds: 200,000 bytes over 10 s";
}

TEST(Mp4Reader, BrokenAtomsEndTheWalk) {
    // A child whose size is smaller than its header, a zero-size atom inside a container and
    // a container that claims to hold itself again: each walk ends.
    const auto tinySize = CBytes().U32BE(4).Text("trak").Fill(40);
    const auto zeroInside = Atom("udta", CBytes().U32BE(0).Text("meta").Fill(30));
    const auto selfNested = CBytes().U32BE(0xFFFFFFFF).Text("trak").U32BE(0xFFFFFFF0).Text("mdia");
    for (const auto& child : {tinySize, zeroInside, selfNested}) {
        const auto file = CBytes().Append(Ftyp).Append(
            Atom("moov", CBytes().Append(Header("mvhd", 10, 50)).Append(child)));
        const AudioInfo info = Read(file);
        EXPECT_EQ(info.Type, "MP4");
        EXPECT_EQ(info.PlayTime, 5) << "the movie header still gives the time";
    }
    AudioInfo none;
    EXPECT_FALSE(CMp4Reader().Read(CMemorySource(CBytes().Text("RIFF").Fill(40).Data()), none));

    test::ForEachBrokenCopy(test::DataBytes("lib-aac.m4a"), [](const std::vector<uint8_t>& b) {
        AudioInfo info;
        CMp4Reader().Read(CMemorySource(b), info);
        EXPECT_LE(info.Std.Title.size(), AudioInfo::MaxTextBytes);
        EXPECT_GE(info.PlayTime, 0);
        EXPECT_GE(info.BitRate, 0);
    });
}

} // namespace
} // namespace torvane
