#include "core/media/WmaReader.h"
#include "Bytes.h"
#include "ReaderFixtures.h"
#include "core/media/AsfHeader.h"
#include "core/record/ListData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

using test::CBytes;
using Bytes = std::vector<uint8_t>;

// UTF-16LE with the terminating zero, as ASF stores texts.
Bytes Utf16(std::u16string_view text) {
    CBytes b;
    for (char16_t unit : text)
        b.U16LE(unit);
    b.U16LE(0);
    return b.Data();
}

Bytes Object(const AsfGuid& guid, const Bytes& data) {
    CBytes b;
    b.Append(guid).U64LE(24 + data.size()).Append(data);
    return b.Data();
}

Bytes Concat(const std::vector<Bytes>& parts) {
    CBytes b;
    for (const auto& part : parts)
        b.Append(part);
    return b.Data();
}

Bytes HeaderObject(const std::vector<Bytes>& children) {
    const Bytes data = Concat(children);
    CBytes b;
    b.Append(asf::HeaderObject)
        .U64LE(30 + data.size())
        .U32LE(static_cast<uint32_t>(children.size()));
    b.U8(1).U8(2).Append(data);
    return b.Data();
}

Bytes FileProperties(uint64_t playDuration, uint64_t prerollMs) {
    CBytes b;
    b.Fill(16, 0xF1)
        .U64LE(0)
        .U64LE(0)
        .U64LE(1)
        .U64LE(playDuration)
        .U64LE(playDuration)
        .U64LE(prerollMs);
    b.U32LE(2).U32LE(3200).U32LE(3200).U32LE(128000);
    return Object(asf::FileProperties, b.Data());
}

Bytes ContentDescription(std::u16string_view title, std::u16string_view author,
                         std::u16string_view description) {
    const Bytes texts[] = {Utf16(title), Utf16(author), Utf16(u"(c)"), Utf16(description), {}};
    CBytes b;
    for (const auto& text : texts)
        b.U16LE(static_cast<uint16_t>(text.size()));
    for (const auto& text : texts)
        b.Append(text);
    return Object(asf::ContentDescription, b.Data());
}

struct Attribute {
    std::u16string Name;
    uint16_t Type;
    Bytes Value;
    uint16_t Stream = 0;
};

Attribute Text(std::u16string name, std::u16string_view value) {
    return {std::move(name), AsfAttribute::Unicode, Utf16(value)};
}
Attribute Dword(std::u16string name, uint32_t value) {
    return {std::move(name), AsfAttribute::DWord, CBytes().U32LE(value).Data()};
}

Bytes ExtendedContent(const std::vector<Attribute>& attributes) {
    CBytes b;
    b.U16LE(static_cast<uint16_t>(attributes.size()));
    for (const auto& a : attributes) {
        const Bytes name = Utf16(a.Name);
        b.U16LE(static_cast<uint16_t>(name.size())).Append(name).U16LE(a.Type);
        b.U16LE(static_cast<uint16_t>(a.Value.size())).Append(a.Value);
    }
    return Object(asf::ExtendedContentDescription, b.Data());
}

Bytes MetadataObject(const AsfGuid& guid, const std::vector<Attribute>& attributes) {
    CBytes b;
    b.U16LE(static_cast<uint16_t>(attributes.size()));
    for (const auto& a : attributes) {
        const Bytes name = Utf16(a.Name);
        b.U16LE(0).U16LE(a.Stream).U16LE(static_cast<uint16_t>(name.size())).U16LE(a.Type);
        b.U32LE(static_cast<uint32_t>(a.Value.size())).Append(name).Append(a.Value);
    }
    return Object(guid, b.Data());
}

Bytes HeaderExtension(const std::vector<Bytes>& children) {
    const Bytes data = Concat(children);
    CBytes b;
    b.Fill(16, 0x11).U16LE(6).U32LE(static_cast<uint32_t>(data.size())).Append(data);
    return Object(asf::HeaderExtension, b.Data());
}

struct Codec {
    uint16_t Type;
    std::u16string Name;
    std::u16string Description;
};

Bytes CodecList(const std::vector<Codec>& codecs) {
    CBytes b;
    b.Fill(16, 0x41).U32LE(static_cast<uint32_t>(codecs.size()));
    for (const auto& c : codecs) {
        b.U16LE(c.Type).U16LE(static_cast<uint16_t>(c.Name.size() + 1)).Append(Utf16(c.Name));
        b.U16LE(static_cast<uint16_t>(c.Description.size() + 1)).Append(Utf16(c.Description));
        b.U16LE(2).U16LE(0x161);
    }
    return Object(asf::CodecList, b.Data());
}

Bytes AudioStream(uint32_t samplesPerSecond, uint32_t averageBytesPerSecond) {
    CBytes format;
    format.U16LE(0x161).U16LE(2).U32LE(samplesPerSecond).U32LE(averageBytesPerSecond).U16LE(0x2E5);
    format.U16LE(16).U16LE(0);
    CBytes b;
    b.Append(asf::AudioMedia).Fill(16, 0x22).U64LE(0).U32LE(static_cast<uint32_t>(format.Size()));
    b.U32LE(0).U16LE(1).U32LE(0).Append(format.Data());
    return Object(asf::StreamProperties, b.Data());
}

// A typical file: the header object with its children, then a data object.
Bytes File(const std::vector<Bytes>& children) {
    return Concat({HeaderObject(children),
                   Object(MakeAsfGuid("75B22636-668E-11CF-A6D9-00AA0062CE6C"), Bytes(64, 0))});
}

AudioInfo Read(const Bytes& bytes) {
    AudioInfo info;
    EXPECT_TRUE(CWmaReader().Read(CMemorySource(bytes), info));
    return info;
}

TEST(WmaReader, AttributesAndDuration) {
    const AudioInfo info = Read(File({
        FileProperties(2'345'678'901, 0),
        ContentDescription(u"Morning Song", u"山田 太郎", u"two\nlines"),
        ExtendedContent({Text(u"WM/AlbumTitle", u"First Album"), Text(u"WM/Year", u"2004"),
                         Dword(u"WM/Track", 0), Text(u"WM/Genre", u"Jazz")}),
    }));
    EXPECT_EQ(info.Std.Title, "Morning Song");
    EXPECT_EQ(info.Std.Artist, "山田 太郎");
    EXPECT_EQ(info.Std.Comment, "two\nlines");
    EXPECT_EQ(info.Std.Album, "First Album");
    EXPECT_EQ(info.Std.Year, "2004");
    EXPECT_EQ(info.Std.Genre, "") << "never filled";
    EXPECT_EQ(info.Std.TrackNum, "1") << "WM/Track counts from 0";
    EXPECT_EQ(info.PlayTime, 234);
    EXPECT_EQ(info.Type, "");
    EXPECT_EQ(info.BitRateText, "");
    EXPECT_EQ(info.SamplingRateText, "");
}

TEST(WmaReader, DurationIsThePlayDurationLessThePreroll) {
    const struct {
        uint64_t playDuration, prerollMs;
        int32_t seconds;
    } cases[] = {
        {51'420'000, 3100, 2},       {2'345'678'901, 3000, 231},
        {10'000'000, 5000, 0},       // preroll longer than the play
        {UINT64_MAX, UINT64_MAX, 0}, // no overflow
        {UINT64_MAX, 0, INT32_MAX},  // beyond 32 bits of seconds
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(File({FileProperties(c.playDuration, c.prerollMs)})).PlayTime, c.seconds)
            << c.playDuration << " " << c.prerollMs;
    EXPECT_EQ(Read(File({})).PlayTime, 0) << "no file properties";
}

TEST(WmaReader, TrackTextFromTrackOrTrackNumber) {
    const struct {
        std::vector<Attribute> attributes;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{Dword(u"WM/Track", 4)}, "5"},
        {{Dword(u"WM/Track", 4), Text(u"WM/TrackNumber", u"9")}, "5"},
        {{Text(u"WM/TrackNumber", u"07")}, "07"}, // as written
        {{Dword(u"WM/TrackNumber", 7)}, "7"},
        {{Text(u"WM/Track", u"4")}, "5"}, // a number written as text counts too
        {{Text(u"WM/Track", u"four")}, "1"},
        {{{u"WM/Track", AsfAttribute::Bool, {1, 0, 0, 0}}}, "1"},
        {{{u"WM/Track", AsfAttribute::Word, {4, 0}}}, "5"},
        {{{u"WM/Track", AsfAttribute::QWord, {4, 0, 0, 0, 0, 0, 0, 0}}}, "5"},
        {{{u"WM/Track", AsfAttribute::DWord, {4, 0}}}, "1"}, // too short for its type
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(File({ExtendedContent(c.attributes)})).Std.TrackNum, c.text) << c.text;
}

TEST(WmaReader, CodecTexts) {
    const struct {
        std::u16string description;
        const char* bitRate;
        const char* samplingRate;
    } cases[] = {
        {u"128 kbps, 44 kHz, stereo 1-pass CBR", "128 kbit", "44000 Hz"},
        {u"  64 kbps,   48 kHz", "64 kbit", "48000 Hz"},
        {u"64 kbps, 44100 Hz, mono", "64 kbit", "44100 Hz"}, // not " kHz": stays
        {u"1411 kbit, 44 kHz, x", "1411 kbit", "44000 Hz"},
    };
    for (const auto& c : cases) {
        const AudioInfo info =
            Read(File({CodecList({{2, u"Windows Media Audio 9.2", c.description}})}));
        EXPECT_EQ(info.Type, "Windows Media Audio 9.2");
        EXPECT_EQ(info.BitRateText, c.bitRate);
        EXPECT_EQ(info.SamplingRateText, c.samplingRate);
    }

    // The first audio or video entry counts; entries of unknown type are passed over.
    const AudioInfo first =
        Read(File({CodecList({{0xFFFF, u"Unknown", u"1 kbps, 1 kHz"},
                              {1, u"Windows Media Video 9", u"300 kbps, 5 kHz"},
                              {2, u"Windows Media Audio", u"64 kbps, 44 kHz"}})}));
    EXPECT_EQ(first.Type, "Windows Media Video 9");
    EXPECT_EQ(first.BitRateText, "300 kbit");
}

// Where the description gives no rates, the audio stream's format does.
TEST(WmaReader, RatesFromTheAudioStreamWhenTheDescriptionLacksThem) {
    const struct {
        std::u16string description;
        const char* bitRate;
        const char* samplingRate;
    } cases[] = {
        {u"", "128 kbit", "44100 Hz"},
        {u"VBR Quality 90, 44 kHz, stereo 1-pass VBR", "128 kbit", "44000 Hz"},
        {u"128 kbps", "128 kbit", "44100 Hz"},
        {u"VBR 90, 48000 Hz", "128 kbit", "48000 Hz"},
        {u"12345678901 kbps, 123456789012345 kHz", "128 kbit", "44100 Hz"}, // too long
    };
    for (const auto& c : cases) {
        const AudioInfo info =
            Read(File({AudioStream(44100, 16000),
                       CodecList({{2, u"Windows Media Audio V8", c.description}})}));
        EXPECT_EQ(info.BitRateText, c.bitRate) << info.BitRateText.value_or("");
        EXPECT_EQ(info.SamplingRateText, c.samplingRate);
    }
    const AudioInfo noCodecList = Read(File({AudioStream(22050, 4000)}));
    EXPECT_EQ(noCodecList.Type, "");
    EXPECT_EQ(noCodecList.BitRateText, "32 kbit");
    EXPECT_EQ(noCodecList.SamplingRateText, "22050 Hz");
}

TEST(WmaReader, AttributesInTheHeaderExtension) {
    const AudioInfo info = Read(File({
        ExtendedContent({Text(u"WM/AlbumTitle", u"From the descriptors")}),
        HeaderExtension({
            MetadataObject(asf::Metadata, {{u"WM/Year", AsfAttribute::Unicode, Utf16(u"1999"), 1}}),
            MetadataObject(asf::MetadataLibrary,
                           {Text(u"WM/AlbumTitle", u"From the library"),
                            Dword(u"WM/Year", 2001),
                            {u"WM/Picture", AsfAttribute::Bytes, Bytes(100'000, 0xFF)},
                            Dword(u"WM/Track", 11)}),
        }),
    }));
    EXPECT_EQ(info.Std.Album, "From the descriptors") << "the first one found stands";
    EXPECT_EQ(info.Std.Year, "2001") << "stream 1's record is no file attribute; a number as text";
    EXPECT_EQ(info.Std.TrackNum, "12");
}

TEST(WmaReader, LongTextsAreCut) {
    std::u16string title(300, u'日');
    const AudioInfo info = Read(File(
        {ContentDescription(title, u"", u""), CodecList({{2, std::u16string(400, u'x'), u""}})}));
    EXPECT_EQ(info.Std.Title.size(), 498u) << "166 whole characters fit in 499 bytes";
    EXPECT_EQ(info.Type.size(), 400u);
}

TEST(WmaReader, NotAnAsfFile) {
    AudioInfo info;
    info.Std.Title = "stale";
    EXPECT_FALSE(CWmaReader().Read(CMemorySource({}), info));
    const std::string text = "ID3 not a Windows Media file, just some text here";
    EXPECT_FALSE(CWmaReader().Read(
        CMemorySource({reinterpret_cast<const uint8_t*>(text.data()), text.size()}), info));

    Bytes tooSmall = HeaderObject({});
    tooSmall[16] = 29; // a header object smaller than its own fields
    EXPECT_FALSE(CWmaReader().Read(CMemorySource(tooSmall), info));
}

TEST(WmaReader, BrokenObjectsEndTheReadingQuietly) {
    // An object of size 0 stops the walk; what stood before it stays.
    Bytes zeroSize = Object(asf::CodecList, {});
    zeroSize[16] = 0;
    AudioInfo info = Read(File({ContentDescription(u"Kept", u"", u""), zeroSize,
                                ExtendedContent({Text(u"WM/AlbumTitle", u"Lost")})}));
    EXPECT_EQ(info.Std.Title, "Kept");
    EXPECT_EQ(info.Std.Album, "");

    // An object claiming far more than the file holds.
    Bytes huge = ExtendedContent({Text(u"WM/AlbumTitle", u"Lost")});
    huge[16 + 7] = 0x7F;
    info = Read(File({ContentDescription(u"Kept", u"", u""), huge}));
    EXPECT_EQ(info.Std.Title, "Kept");
    EXPECT_EQ(info.Std.Album, "");

    // A header extension nested in itself many times over must not exhaust the stack.
    const Bytes inner = FileProperties(100'000'000, 0);
    const uint64_t levels = 100'000, levelSize = 24 + 22;
    CBytes nested;
    for (uint64_t level = 0; level < levels; ++level) {
        const uint64_t size = (levels - level) * levelSize + inner.size();
        nested.Append(asf::HeaderExtension).U64LE(size).Fill(16, 0x11).U16LE(6);
        nested.U32LE(static_cast<uint32_t>(size - levelSize));
    }
    nested.Append(inner);
    EXPECT_EQ(Read(File({nested.Data()})).PlayTime, 0) << "objects nested twice are not read";

    const Bytes valid = File({
        FileProperties(2'345'678'901, 3000),
        ContentDescription(u"Title", u"Author", u"Description"),
        ExtendedContent({Text(u"WM/AlbumTitle", u"Album"), Dword(u"WM/Track", 2)}),
        HeaderExtension({MetadataObject(asf::MetadataLibrary, {Text(u"WM/Year", u"2001")})}),
        CodecList({{2, u"Windows Media Audio 9.2", u"128 kbps, 44 kHz, stereo"}}),
        AudioStream(44100, 16000),
    });
    ASSERT_EQ(Read(valid).Std.Year, "2001");
    test::ForEachBrokenCopy(valid, [](const Bytes& bytes) {
        AudioInfo broken;
        CWmaReader().Read(CMemorySource(bytes), broken);
        EXPECT_GE(broken.PlayTime, 0);
        EXPECT_LE(broken.BitRateText.value_or("").size(), 16u);
    });
}

// A real file made by ffmpeg (tests/data/README-oggwma.md tells how).
TEST(WmaReader, RealFileFromAnEncoder) {
    const std::string path = test::DataFile("oggwma-tone.wma");
    AudioInfo info;
    ASSERT_TRUE(CWmaReader().Read(path, info));
    EXPECT_EQ(info.Path, path);
    EXPECT_EQ(info.Std.Title, "Morning Song");
    EXPECT_EQ(info.Std.Artist, "山田 太郎");
    EXPECT_EQ(info.Std.Album, "First Album");
    EXPECT_EQ(info.Std.Comment, "Made here");
    EXPECT_EQ(info.Std.Year, "2004");
    EXPECT_EQ(info.Std.TrackNum, "3");
    EXPECT_EQ(info.PlayTime, 2);
    EXPECT_EQ(info.Type, "Windows Media Audio V8");
    EXPECT_EQ(info.BitRateText, "32 kbit");
    EXPECT_EQ(info.SamplingRateText, "22050 Hz");

    const auto record = test::ReadRecord(path);
    EXPECT_EQ(record->Type(), "Windows Media Audio V8");
    EXPECT_EQ(record->GetArtist(TagMode::Standard), "山田 太郎");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "3");
    EXPECT_EQ(record->Time(), 2);
    EXPECT_EQ(record->BitRate(), 32);
    EXPECT_EQ(record->SamplingRate(), 22050);
    EXPECT_TRUE(record->Has(CListData::InfoRead));

    // An Ogg file renamed .wma is no ASF file: the record keeps its texts.
    CListData renamed;
    renamed.SetPath(test::DataFile("oggwma-tone.ogg"));
    AudioInfo none;
    EXPECT_FALSE(CWmaReader().Read(renamed.FilePath(), none));
}

} // namespace
} // namespace torvane
