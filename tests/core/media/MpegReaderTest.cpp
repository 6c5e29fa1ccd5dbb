#include "MpegBytes.h"
#include "ReaderFixtures.h"
#include "core/record/ListData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace torvane {
namespace {

using test::CBytes;
using test::Frame;
using test::FrameHeader;
using test::ReadBytes;

// ---- ID3v1 -----------------------------------------------------------------------------------

CBytes Field(std::string_view text, size_t width, uint8_t fill) {
    return CBytes().Text(text).Fill(width - text.size(), fill);
}

const CBytes Blank = Field("", 30, 0);

CBytes Id3v1(const CBytes& title, const CBytes& comment = Blank, const CBytes& artist = Blank,
             const CBytes& album = Blank, std::string_view year = "2001") {
    return CBytes()
        .Text("TAG")
        .Append(title)
        .Append(artist)
        .Append(album)
        .Text(year)
        .Append(comment)
        .U8(12);
}

TEST(MpegReader, Id3v1TrimsSpacesAndStopsAtZero) {
    const auto tag = Id3v1(Field("Song", 30, ' '), Field("note", 30, ' '), Field("Band", 30, 0),
                           Field("ab  ", 30, 0), "1999");
    const auto info = ReadBytes(CBytes().Fill(500).Append(tag));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v1);
    EXPECT_EQ(info.Std.Title, "Song") << "trailing spaces trimmed";
    EXPECT_EQ(info.Std.Artist, "Band") << "copied up to the first zero byte";
    EXPECT_EQ(info.Std.Album, "ab  ") << "spaces before zero padding stay";
    EXPECT_EQ(info.Std.Year, "1999");
    EXPECT_EQ(info.Std.Comment, "note");
    EXPECT_EQ(info.Std.TrackNum, "") << "byte 28 is a space: no track";
    EXPECT_EQ(info.Std.Genre, "");
}

TEST(MpegReader, Id3v1TrackAndFullWidthFields) {
    CBytes comment = Field("hello", 28, ' ');
    comment.U8(0).U8(7);
    const std::string full(30, 'x');
    auto info = ReadBytes(Id3v1(Field(full, 30, 0), comment));
    EXPECT_EQ(info.Std.TrackNum, "7");
    EXPECT_EQ(info.Std.Comment, "hello") << "the track bytes leave the comment";
    EXPECT_EQ(info.Std.Title, full) << "a full field has no terminator";

    const std::string longComment(29, 'c');
    info = ReadBytes(Id3v1(Blank, CBytes().Text(longComment).U8(9)));
    EXPECT_EQ(info.Std.TrackNum, "") << "byte 28 is not zero: ID3v1.0";
    EXPECT_EQ(info.Std.Comment, longComment + "\t");

    info = ReadBytes(Id3v1(Blank, Field("zero track", 30, 0)));
    EXPECT_EQ(info.Std.TrackNum, "");
    EXPECT_EQ(info.Std.Comment, "zero track");
}

TEST(MpegReader, Id3v1LegacyTextDecodedByCodePage) {
    const auto file = Id3v1(Field("\x93\xfa\x96\x7b", 30, 0), Blank, Field("caf\xe9", 30, ' '),
                            Field("日本", 30, 0));
    auto info = ReadBytes(file, CTextCodec("CP932"));
    EXPECT_EQ(info.Std.Title, "日本");
    EXPECT_EQ(info.Std.Artist, "café") << "no clean CP932: CP1252";
    EXPECT_EQ(info.Std.Album, "日本") << "UTF-8 stays";
    info = ReadBytes(file, CTextCodec("CP1252"));
    EXPECT_EQ(info.Std.Title, "\xe2\x80\x9c\xc3\xba\xe2\x80\x93{");
}

// ---- ID3v2 -----------------------------------------------------------------------------------

// One frame: identifier, size (synchsafe in version 4, three bytes in version 2), flags, content.
CBytes Id3Frame(int major, std::string_view id, const CBytes& content, uint16_t flags = 0) {
    CBytes frame;
    frame.Text(id);
    const auto size = static_cast<uint32_t>(content.Size());
    if (major == 2)
        frame.U24BE(size);
    else if (major == 4)
        frame.Synchsafe(size);
    else
        frame.U32BE(size);
    if (major != 2)
        frame.U16BE(flags);
    return frame.Append(content);
}

CBytes TextFrame(int major, std::string_view id, uint8_t encoding, std::string_view bytes) {
    return Id3Frame(major, id, CBytes().U8(encoding).Text(bytes));
}

CBytes Comment(int major, uint8_t encoding, std::string_view description, std::string_view text) {
    const std::string_view terminator =
        (encoding == 1 || encoding == 2) ? std::string_view("\0\0", 2) : std::string_view("\0", 1);
    return Id3Frame(
        major, major == 2 ? "COM" : "COMM",
        CBytes().U8(encoding).Text("eng").Text(description).Text(terminator).Text(text));
}

CBytes Id3Tag(int major, const CBytes& body, uint8_t flags = 0, size_t padding = 0) {
    return CBytes()
        .Text("ID3")
        .U8(static_cast<uint8_t>(major))
        .U8(0)
        .U8(flags)
        .Synchsafe(static_cast<uint32_t>(body.Size() + padding))
        .Append(body)
        .Fill(padding);
}

// The tag, then an MPEG-1 Layer III stream at 128 kbit/s.
CBytes TaggedStream(const CBytes& tag) {
    return CBytes().Append(tag).Append(Frame(test::Mpeg1Layer3)).PadTo(tag.Size() + 16000);
}

TEST(MpegReader, Id3v2TextDecodedByEncodingByte) {
    using namespace std::string_view_literals;
    const auto body = CBytes()
                          .Append(TextFrame(3, "TIT2", 0, "\x93\xfa\x96\x7b"))
                          .Append(TextFrame(3, "TPE1", 1, "\xff\xfe\xe5\x65\x2c\x67"sv))
                          .Append(TextFrame(3, "TALB", 2, "\x65\xe5\x67\x2c"sv))
                          .Append(TextFrame(3, "TCON", 3, "日本\0second"sv))
                          .Append(TextFrame(3, "TYER", 0, "1999"))
                          .Append(TextFrame(3, "TRCK", 1, "\xfe\xff\x00\x37"sv))
                          .Append(TextFrame(3, "TXXX", 0, "ignored"));
    const auto info = ReadBytes(TaggedStream(Id3Tag(3, body, 0, 100)));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v2);
    EXPECT_EQ(info.Ext.Title, "日本") << "encoding 0: legacy code page";
    EXPECT_EQ(info.Ext.Artist, "日本") << "encoding 1: UTF-16 with byte-order mark";
    EXPECT_EQ(info.Ext.Album, "日本") << "encoding 2: UTF-16BE";
    EXPECT_EQ(info.Ext.Genre, "日本") << "encoding 3: UTF-8, first value only";
    EXPECT_EQ(info.Ext.Year, "1999");
    EXPECT_EQ(info.Ext.TrackNum, "7");
    EXPECT_EQ(info.Ext.Comment, "");
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.SamplingRate, 44100);
}

TEST(MpegReader, Id3v2CommentSkipsLanguageAndDescription) {
    using namespace std::string_view_literals;
    auto info = ReadBytes(TaggedStream(Id3Tag(3, Comment(3, 0, "", "hello"))));
    EXPECT_EQ(info.Ext.Comment, "hello");

    info = ReadBytes(
        TaggedStream(Id3Tag(3, Comment(3, 1, "\xff\xfe\x64\x00"sv, "\xff\xfe\x68\x00\x69\x00"sv))));
    EXPECT_EQ(info.Ext.Comment, "hi") << "UTF-16 description ends at a zero unit";

    const auto unterminated = Id3Frame(3, "COMM", CBytes().U8(0).Text("engdescription only"));
    info = ReadBytes(TaggedStream(Id3Tag(3, unterminated)));
    EXPECT_EQ(info.Ext.Comment, "");

    const auto machineData = Comment(3, 0, "iTunNORM", " 00000A2B 000009F1");
    info = ReadBytes(
        TaggedStream(Id3Tag(3, CBytes().Append(Comment(3, 0, "", "real")).Append(machineData))));
    EXPECT_EQ(info.Ext.Comment, "real") << "a described comment does not replace a plain one";
    info = ReadBytes(
        TaggedStream(Id3Tag(3, CBytes().Append(machineData).Append(Comment(3, 0, "", "real")))));
    EXPECT_EQ(info.Ext.Comment, "real");
    info = ReadBytes(TaggedStream(Id3Tag(3, Comment(3, 0, "lyrics", "la la"))));
    EXPECT_EQ(info.Ext.Comment, "la la") << "a described comment is taken when it is the only one";
}

TEST(MpegReader, Id3v24SynchsafeSizesAndRecordingTime) {
    const std::string longTitle(200, 'a'); // a size whose synchsafe and plain forms differ
    const auto body = CBytes()
                          .Append(TextFrame(4, "TIT2", 3, longTitle))
                          .Append(TextFrame(4, "TDRC", 3, "2021-07-15"))
                          .Append(TextFrame(4, "TPE1", 3, "after"));
    const auto info = ReadBytes(TaggedStream(Id3Tag(4, body)));
    EXPECT_EQ(info.Ext.Title, longTitle);
    EXPECT_EQ(info.Ext.Year, "2021-07-15");
    EXPECT_EQ(info.Ext.Artist, "after");

    // Some writers put plain sizes into version 4 tags; a byte with its top bit set shows it.
    CBytes plain;
    plain.Text("TIT2").U32BE(201).U16BE(0).U8(3).Text(longTitle);
    plain.Append(TextFrame(4, "TPE1", 3, "after"));
    EXPECT_EQ(ReadBytes(TaggedStream(Id3Tag(4, plain))).Ext.Artist, "after");
}

TEST(MpegReader, Id3v22ThreeLetterFrames) {
    using namespace std::string_view_literals;
    const auto body = CBytes()
                          .Append(TextFrame(2, "TT2", 0, "Title"))
                          .Append(TextFrame(2, "TP1", 0, "Artist"))
                          .Append(TextFrame(2, "TAL", 1, "\xff\xfe\x41\x00"sv))
                          .Append(Comment(2, 0, "", "Comment"))
                          .Append(TextFrame(2, "TYE", 0, "1998"))
                          .Append(TextFrame(2, "TCO", 0, "(17)"))
                          .Append(TextFrame(2, "TRK", 0, "4/9"));
    const auto info = ReadBytes(TaggedStream(Id3Tag(2, body, 0, 20)));
    EXPECT_EQ(info.Ext.Title, "Title");
    EXPECT_EQ(info.Ext.Artist, "Artist");
    EXPECT_EQ(info.Ext.Album, "A");
    EXPECT_EQ(info.Ext.Comment, "Comment");
    EXPECT_EQ(info.Ext.Year, "1998");
    EXPECT_EQ(info.Ext.Genre, "(17)");
    EXPECT_EQ(info.Ext.TrackNum, "4/9");
    EXPECT_EQ(info.BitRate, 128);
}

TEST(MpegReader, Id3v2ExtendedHeaderSkipped) {
    const auto frames = TextFrame(3, "TIT2", 0, "Title");
    // Version 3: the size counts the bytes after it.
    const auto v3 = CBytes().U32BE(6).Fill(6).Append(frames);
    EXPECT_EQ(ReadBytes(TaggedStream(Id3Tag(3, v3, 0x40))).Ext.Title, "Title");
    // Version 4: a synchsafe size of the whole extended header.
    const auto v4 = CBytes().Synchsafe(6).U8(1).U8(0).Append(TextFrame(4, "TIT2", 0, "Title"));
    EXPECT_EQ(ReadBytes(TaggedStream(Id3Tag(4, v4, 0x40))).Ext.Title, "Title");
}

// What a writer does to break false sync patterns: a zero after every 0xFF.
CBytes Unsynchronise(const CBytes& bytes) {
    CBytes out;
    for (uint8_t b : bytes.Data()) {
        out.U8(b);
        if (b == 0xFF)
            out.U8(0);
    }
    return out;
}

TEST(MpegReader, Id3v2UnsynchronisationUndone) {
    using namespace std::string_view_literals;
    const auto title = TextFrame(3, "TIT2", 1, "\xff\xfe\xff\x00\xe5\x65"sv); // "ÿ日"
    const auto body = CBytes().Append(title).Append(TextFrame(3, "TPE1", 0, "next"));
    auto info = ReadBytes(TaggedStream(Id3Tag(3, Unsynchronise(body), 0x80)));
    EXPECT_EQ(info.Ext.Title, "ÿ日");
    EXPECT_EQ(info.Ext.Artist, "next") << "version 3 sizes count the restored bytes";

    // Version 4: per frame, the size counts the stored bytes; here with a data length indicator.
    const auto stored = Unsynchronise(CBytes().U8(1).Text("\xff\xfe\xff\x00\xe5\x65"sv));
    const auto v4 = CBytes()
                        .Append(Id3Frame(4, "TIT2", CBytes().Synchsafe(7).Append(stored), 0x0003))
                        .Append(TextFrame(4, "TPE1", 0, "next"));
    info = ReadBytes(TaggedStream(Id3Tag(4, v4)));
    EXPECT_EQ(info.Ext.Title, "ÿ日");
    EXPECT_EQ(info.Ext.Artist, "next");
    info = ReadBytes(TaggedStream(Id3Tag(4, Id3Frame(4, "TIT2", stored), 0x80)));
    EXPECT_EQ(info.Ext.Title, "ÿ日") << "the tag's flag covers every frame";
}

TEST(MpegReader, Id3v2SkipsCompressedAndEncryptedFrames) {
    const auto body =
        CBytes()
            .Append(Id3Frame(3, "TIT2", CBytes().U8(0).Text("zipped"), 0x0080))
            .Append(Id3Frame(3, "TPE1", CBytes().U8(0).Text("secret"), 0x0040))
            .Append(Id3Frame(3, "TALB", CBytes().U8(7).U8(0).Text("grouped"), 0x0020));
    const auto info = ReadBytes(TaggedStream(Id3Tag(3, body)));
    EXPECT_EQ(info.Ext.Title, "");
    EXPECT_EQ(info.Ext.Artist, "");
    EXPECT_EQ(info.Ext.Album, "grouped") << "the group byte is skipped";
}

TEST(MpegReader, Id3v2FrameWalkStaysInsideTheTag) {
    const auto inside = TextFrame(3, "TIT2", 0, "inside");
    const auto crossing = TextFrame(3, "TPE1", 0, "crossing the end");
    // The tag's size ends in the middle of the second frame.
    CBytes file;
    file.Text("ID3").U8(3).U8(0).U8(0).Synchsafe(static_cast<uint32_t>(inside.Size() + 12));
    file.Append(inside).Append(crossing).Append(TextFrame(3, "TALB", 0, "after the tag"));
    const auto info = ReadBytes(file);
    EXPECT_EQ(info.Ext.Title, "inside");
    EXPECT_EQ(info.Ext.Artist, "");
    EXPECT_EQ(info.Ext.Album, "");

    // A later frame replaces an earlier one, unless it is empty; a zero-sized frame is skipped;
    // padding ends the walk.
    const auto body = CBytes()
                          .Append(TextFrame(3, "TIT2", 0, "first"))
                          .Append(Id3Frame(3, "TPE1", CBytes()))
                          .Append(TextFrame(3, "TIT2", 0, "after empty"))
                          .Append(TextFrame(3, "TIT2", 0, ""))
                          .Fill(20)
                          .Append(TextFrame(3, "TALB", 0, "in padding"));
    const auto padded = ReadBytes(TaggedStream(Id3Tag(3, body)));
    EXPECT_EQ(padded.Ext.Title, "after empty");
    EXPECT_EQ(padded.Ext.Album, "");
}

TEST(MpegReader, Id3v2TextsCutOnCharacterBoundaries) {
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "あ";
    const auto body = CBytes()
                          .Append(TextFrame(3, "TIT2", 3, longText))
                          .Append(TextFrame(3, "TRCK", 0, "123456789012345678901234567890"))
                          .Append(Comment(3, 3, "", longText));
    const auto info = ReadBytes(TaggedStream(Id3Tag(3, body)));
    EXPECT_EQ(info.Ext.Title, longText.substr(0, 258)) << "86 characters, 258 bytes";
    EXPECT_EQ(info.Ext.Comment, longText.substr(0, 258));
    EXPECT_EQ(info.Ext.TrackNum, "12345678901234567890123");
}

TEST(MpegReader, Id3v2FooterAndAudioStart) {
    // The audio begins after the footer when the flag says there is one.
    const auto tag = Id3Tag(4, TextFrame(4, "TIT2", 0, "x"), 0x10);
    CBytes file;
    file.Append(tag).Text("3DI").U8(4).U8(0).U8(0x10).Synchsafe(
        static_cast<uint32_t>(tag.Size() - 10));
    file.Append(Frame(test::Mpeg1Layer3)).PadTo(16000);
    const auto info = ReadBytes(file);
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.Ext.Title, "x");
}

// ---- Stream facts ----------------------------------------------------------------------------

TEST(MpegReader, ConstantBitRateTime) {
    const auto stream = Frame(test::Mpeg1Layer3).PadTo(4'000'000);
    auto info = ReadBytes(stream);
    EXPECT_EQ(info.TagFlags, 0);
    EXPECT_EQ(info.FileLength, 4'000'000);
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 250) << "4,000,000 / 128 * 8 / 1000";

    // The bytes divided by the bit rate first, truncating: 31,249 * 8 / 1000 = 249.
    info = ReadBytes(Frame(test::Mpeg1Layer3).PadTo(3'999'999));
    EXPECT_EQ(info.PlayTime, 249);
}

TEST(MpegReader, AudioBytesLessTheTags) {
    const auto v1 = Id3v1(Blank);
    // 4,000,100 bytes: 250 s without a tag, 249 s less the 128 bytes of an ID3v1 tag.
    auto file = Frame(test::Mpeg1Layer3).PadTo(4'000'100 - 128).Append(v1);
    EXPECT_EQ(ReadBytes(file).PlayTime, 249);
    file.Data().resize(4'000'100);
    file.Data()[file.Size() - 128] = 0;
    EXPECT_EQ(ReadBytes(file).PlayTime, 250);

    // An ID3v2 tag of 1,000 bytes and an ID3v1 tag: the audio is the length less 1,010 bytes
    // (the ID3v1 tag's bytes are counted again): 4,000,040 bytes give 250 s, not 249.
    const auto v2 = Id3Tag(3, TextFrame(3, "TIT2", 0, "t"), 0, 1000 - 12);
    ASSERT_EQ(v2.Size(), 1010u);
    auto both =
        CBytes().Append(v2).Append(Frame(test::Mpeg1Layer3)).PadTo(4'001'050 - 128).Append(v1);
    const auto info = ReadBytes(both);
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v1 | AudioInfo::TagId3v2);
    EXPECT_EQ(info.PlayTime, 250);
}

TEST(MpegReader, BitRateAndSamplingRateTables) {
    const struct {
        uint32_t Version, Layer, BitRateIndex, SamplingRateIndex;
        int BitRate, SamplingRate;
    } cases[] = {
        {3, 1, 9, 0, 128, 44100},  {3, 1, 14, 1, 320, 48000}, {3, 2, 14, 2, 384, 32000},
        {3, 3, 14, 0, 448, 44100}, {3, 3, 1, 0, 32, 44100},   {2, 1, 8, 0, 64, 22050},
        {2, 2, 14, 1, 160, 24000}, {2, 3, 14, 2, 256, 16000}, {2, 3, 9, 2, 144, 16000},
        {0, 1, 8, 0, 64, 11025},   {0, 1, 1, 2, 8, 8000},     {0, 3, 9, 1, 144, 12000},
        {1, 1, 9, 0, 128, 44100}, // the reserved version reads as MPEG-1
    };
    for (const auto& c : cases) {
        const auto info =
            ReadBytes(Frame(FrameHeader(c.Version, c.Layer, c.BitRateIndex, c.SamplingRateIndex))
                          .PadTo(80'000));
        EXPECT_EQ(info.BitRate, c.BitRate) << c.Version << c.Layer << " " << c.BitRateIndex;
        EXPECT_EQ(info.SamplingRate, c.SamplingRate) << c.Version << " " << c.SamplingRateIndex;
        EXPECT_EQ(info.PlayTime, 80'000 / c.BitRate * 8 / 1000);
    }
}

// A first frame with a Xing header after the side information.
CBytes XingFrame(uint32_t header, size_t offset, uint32_t frames, uint32_t flags = 0x0F) {
    return CBytes()
        .U32BE(header)
        .PadTo(offset)
        .Text("Xing")
        .U32BE(flags)
        .U32BE(frames)
        .PadTo(418)
        .Append(Frame(header))
        .PadTo(100'000);
}

TEST(MpegReader, XingFrameCountGivesVariableBitRateTime) {
    // Frames of 417.96 bytes at 128 kbit/s last 0.0261224 s; 10,000 of them 261.2 s.
    const struct {
        uint32_t Header;
        size_t Offset;
        int SamplingRate;
    } cases[] = {
        {FrameHeader(3, 1, 9, 0), 36, 44100},
        {FrameHeader(3, 1, 9, 0, true), 38, 44100}, // a CRC follows the header
        {FrameHeader(3, 1, 9, 0, false, 3), 21, 44100},
        {FrameHeader(2, 1, 8, 0), 21, 22050},
        {FrameHeader(2, 1, 8, 0, false, 3), 13, 22050},
    };
    for (const auto& c : cases) {
        const auto info = ReadBytes(XingFrame(c.Header, c.Offset, 10'000));
        EXPECT_EQ(info.BitRate, -1) << c.Offset;
        EXPECT_EQ(info.SamplingRate, c.SamplingRate);
        EXPECT_EQ(info.PlayTime, 261) << std::hex << c.Header;
    }
    // Layer I: frames of 384 samples; (12 * 128000 / 44100 * 4) / 128 * 8 / 1000 = 8.707 ms.
    const auto layer1 = ReadBytes(XingFrame(FrameHeader(3, 3, 4, 0), 36, 10'000));
    EXPECT_EQ(layer1.PlayTime, 87);

    // Where the header was found, not where the search began.
    const auto afterJunk = CBytes().Text("JUNK!").Append(XingFrame(test::Mpeg1Layer3, 36, 10'000));
    EXPECT_EQ(ReadBytes(afterJunk).PlayTime, 261);
    EXPECT_EQ(ReadBytes(afterJunk).BitRate, -1);
}

TEST(MpegReader, XingWithoutFrameCountAndInfoHeadersAreConstantBitRate) {
    auto info = ReadBytes(XingFrame(test::Mpeg1Layer3, 36, 10'000, 0x0E));
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.PlayTime, 100'000 / 128 * 8 / 1000);

    auto cbr = XingFrame(test::Mpeg1Layer3, 36, 10'000);
    std::copy_n("Info", 4, cbr.Data().begin() + 36);
    info = ReadBytes(cbr);
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.PlayTime, 6);
}

TEST(MpegReader, FreeFormat) {
    const auto cbr = ReadBytes(Frame(FrameHeader(3, 1, 0, 0)).PadTo(80'000));
    EXPECT_EQ(cbr.BitRate, 0);
    EXPECT_EQ(cbr.SamplingRate, 0) << "no bit rate to time the bytes by";
    EXPECT_EQ(cbr.PlayTime, 0);

    const auto info = ReadBytes(XingFrame(FrameHeader(3, 1, 0, 0), 36, 10'000));
    EXPECT_EQ(info.BitRate, -1);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 261) << "1152 samples at 44100 Hz per frame";
}

TEST(MpegReader, VbriFrameCount) {
    const auto file = CBytes()
                          .U32BE(test::Mpeg1Layer3)
                          .PadTo(36)
                          .Text("VBRI")
                          .U16BE(1)
                          .U16BE(0)
                          .U16BE(75)
                          .U32BE(1'000'000)
                          .U32BE(10'000)
                          .PadTo(100'000);
    const auto info = ReadBytes(file);
    EXPECT_EQ(info.BitRate, -1);
    EXPECT_EQ(info.PlayTime, 261);
}

TEST(MpegReader, PaddingBeforeTheFirstFrame) {
    const auto tag = Id3Tag(3, TextFrame(3, "TIT2", 0, "t"));
    auto info = ReadBytes(TaggedStream(CBytes().Append(tag).Fill(5000)));
    EXPECT_EQ(info.BitRate, 128) << "zero bytes before the audio are skipped";

    info = ReadBytes(CBytes().Append(tag).Fill(100'000));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v2);
    EXPECT_EQ(info.BitRate, 0) << "only zero bytes after the tag";
    EXPECT_EQ(info.SamplingRate, 0);
    EXPECT_EQ(info.PlayTime, 0);

    // A second tag in front of the audio is skipped too.
    info = ReadBytes(TaggedStream(CBytes().Append(tag).Append(tag)));
    EXPECT_EQ(info.BitRate, 128);
}

// ---- RIFF ------------------------------------------------------------------------------------

CBytes Chunk(std::string_view id, const CBytes& data) {
    auto chunk = CBytes().Text(id).U32LE(static_cast<uint32_t>(data.Size())).Append(data);
    if (data.Size() % 2)
        chunk.U8(0);
    return chunk;
}

CBytes Riff(std::string_view form, const CBytes& chunks) {
    return CBytes()
        .Text("RIFF")
        .U32LE(static_cast<uint32_t>(chunks.Size() + 4))
        .Text(form)
        .Append(chunks);
}

// 16-bit stereo PCM at 44100 Hz; 18 and 40 bytes add an extension size and an extension.
CBytes WaveFormat(size_t size = 16) {
    auto format = CBytes().U16LE(1).U16LE(2).U32LE(44100).U32LE(176400).U16LE(4).U16LE(16);
    if (size >= 18)
        format.U16LE(static_cast<uint16_t>(size - 18));
    return format.PadTo(size);
}

CBytes Info(std::initializer_list<std::pair<std::string_view, std::string_view>> items) {
    CBytes list;
    list.Text("INFO");
    for (const auto& [id, value] : items)
        list.Append(Chunk(id, CBytes().Text(value).U8(0)));
    return Chunk("LIST", list);
}

TEST(MpegReader, WaveFormatAndTime) {
    const auto data = Chunk("data", CBytes().Fill(1'764'000));
    const auto info = ReadBytes(Riff("WAVE", Chunk("fmt ", WaveFormat()).Append(data)));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagRiffWave);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.BitRate, 1411) << "176,400 bytes per second";
    EXPECT_EQ(info.PlayTime, 10) << "1,764,000 / 1411 * 8 / 1000";
}

TEST(MpegReader, WaveChunksFoundWhereverTheyStand) {
    const auto data = Chunk("data", CBytes().Fill(1'764'000));
    const auto list = Info({{"INAM", "Name"}});
    const CBytes layouts[] = {
        Chunk("fmt ", WaveFormat(18)).Append(Chunk("fact", CBytes().U32LE(441000))).Append(data),
        Chunk("fmt ", WaveFormat(40)).Append(list).Append(data),
        Chunk("JUNK", CBytes().Fill(27)).Append(Chunk("fmt ", WaveFormat())).Append(data),
        Chunk("fmt ", WaveFormat()).Append(Chunk("bext", CBytes().Fill(603))).Append(data),
        Chunk("fmt ", WaveFormat()).Append(data).Append(list),
        CBytes(data).Append(Chunk("fmt ", WaveFormat())),
    };
    for (const auto& chunks : layouts) {
        const auto info = ReadBytes(Riff("WAVE", chunks));
        EXPECT_EQ(info.SamplingRate, 44100);
        EXPECT_EQ(info.BitRate, 1411);
        EXPECT_EQ(info.PlayTime, 10);
    }
    EXPECT_EQ(ReadBytes(Riff("WAVE", layouts[1])).Ext.Title, "Name");
    EXPECT_EQ(ReadBytes(Riff("WAVE", layouts[4])).Ext.Title, "Name");
}

TEST(MpegReader, WaveWithoutFormatOrData) {
    auto info =
        ReadBytes(Riff("WAVE", Chunk("data", CBytes().Fill(1000)).Append(Info({{"IART", "A"}}))));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagRiffWave);
    EXPECT_EQ(info.SamplingRate, 0);
    EXPECT_EQ(info.BitRate, 0);
    EXPECT_EQ(info.PlayTime, 0);
    EXPECT_EQ(info.Ext.Artist, "A");

    info = ReadBytes(Riff("WAVE", Chunk("fmt ", WaveFormat())));
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 0) << "no data chunk";

    // A data chunk that claims more than the file holds is timed by the bytes present.
    auto truncated =
        Riff("WAVE", Chunk("fmt ", WaveFormat()).Append(Chunk("data", CBytes().Fill(176'400))));
    std::copy_n("\x20\xea\x1a\x00", 4, truncated.Data().begin() + 40); // 1,764,000
    EXPECT_EQ(ReadBytes(truncated).PlayTime, 1);
}

TEST(MpegReader, RiffInfoTexts) {
    const auto list = Info({{"ISBJ", "Subject"},
                            {"INAM", "Name"},
                            {"IART", "Band"}, // odd size: one padding byte follows
                            {"IPRD", "Album"},
                            {"ICMT", "Comment"},
                            {"ICRD", "2003"},
                            {"IGNR", "Genre"},
                            {"ISFT", "ignored"}});
    auto info = ReadBytes(Riff("WAVE", Chunk("fmt ", WaveFormat()).Append(list)));
    EXPECT_EQ(info.Ext.Title, "Subject") << "the first of INAM and ISBJ";
    EXPECT_EQ(info.Ext.Artist, "Band");
    EXPECT_EQ(info.Ext.Album, "Album");
    EXPECT_EQ(info.Ext.Comment, "Comment");
    EXPECT_EQ(info.Ext.Year, "2003");
    EXPECT_EQ(info.Ext.Genre, "Genre");

    info = ReadBytes(Riff("WAVE", Info({{"INAM", "\x93\xfa\x96\x7b"}, {"ISBJ", "Subject"}})));
    EXPECT_EQ(info.Ext.Title, "日本") << "legacy code page";

    std::string longValue(600, 'v');
    info = ReadBytes(Riff("WAVE", Info({{"ICMT", longValue}})));
    EXPECT_EQ(info.Ext.Comment, longValue.substr(0, 260));

    // A LIST of another type holds no texts.
    info = ReadBytes(Riff(
        "WAVE", Chunk("LIST", CBytes().Text("adtl").Append(Chunk("INAM", CBytes().Text("x"))))));
    EXPECT_EQ(info.Ext.Title, "");
}

TEST(MpegReader, RiffMp3) {
    const auto stream = Frame(test::Mpeg1Layer3).PadTo(400'000);
    auto info = ReadBytes(Riff("RMP3", Chunk("data", stream).Append(Info({{"INAM", "Title"}}))));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagRiffMp3);
    EXPECT_EQ(info.BitRate, 128);
    EXPECT_EQ(info.SamplingRate, 44100);
    EXPECT_EQ(info.PlayTime, 25) << "the data chunk's bytes: 400,000 / 128 * 8 / 1000";
    EXPECT_EQ(info.Ext.Title, "Title");

    info = ReadBytes(Riff("RMP3", Info({{"INAM", "Title"}}).Append(Chunk("data", stream))));
    EXPECT_EQ(info.PlayTime, 25) << "LIST before data";
}

TEST(MpegReader, RiffWithId3v1) {
    const auto v1 = Id3v1(Field("v1 title", 30, 0));
    auto file = Riff("WAVE", Chunk("fmt ", WaveFormat())
                                 .Append(Chunk("data", CBytes().Fill(1'764'000)))
                                 .Append(Info({{"INAM", "riff title"}})));
    const auto info = ReadBytes(file.Append(v1));
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v1 | AudioInfo::TagRiffWave);
    EXPECT_EQ(info.Std.Title, "v1 title");
    EXPECT_EQ(info.Ext.Title, "riff title");
    EXPECT_EQ(info.PlayTime, 10);
}

// ---- Broken files ----------------------------------------------------------------------------

void ExpectSane(const AudioInfo& info) {
    for (const std::string* text :
         {&info.Std.Title, &info.Std.Artist, &info.Std.Album, &info.Std.Comment, &info.Std.Year,
          &info.Ext.Title, &info.Ext.Artist, &info.Ext.Album, &info.Ext.Comment, &info.Ext.Genre,
          &info.Ext.Year, &info.Ext.TrackNum}) {
        EXPECT_TRUE(CTextCodec::IsValidUtf8(*text));
        EXPECT_LE(text->size(), 260u);
    }
    EXPECT_LE(info.Ext.TrackNum.size(), 23u);
    EXPECT_GE(info.PlayTime, 0);
    EXPECT_GE(info.BitRate, -1);
    EXPECT_GE(info.SamplingRate, 0);
}

TEST(MpegReader, ShortAndEmptyFiles) {
    const auto empty = ReadBytes(CBytes());
    EXPECT_EQ(empty.TagFlags, 0);
    EXPECT_EQ(empty.FileLength, 0);
    EXPECT_EQ(empty.BitRate, 0);

    EXPECT_EQ(ReadBytes(CBytes().Text("TAG").Fill(100)).TagFlags, 0) << "shorter than a tag";
    EXPECT_EQ(ReadBytes(CBytes().Text("ID3")).TagFlags, AudioInfo::TagId3v2);
    EXPECT_EQ(ReadBytes(CBytes().Text("RIFF")).TagFlags, 0);
    EXPECT_EQ(ReadBytes(CBytes().Text("RIFF").U32LE(4).Text("WAVE")).TagFlags,
              AudioInfo::TagRiffWave);
    EXPECT_EQ(ReadBytes(CBytes().Text("RIFF").U32LE(4).Text("AVI ")).TagFlags, 0);
    EXPECT_EQ(ReadBytes(CBytes().U8(0xFF).U8(0xFB)).BitRate, 0);
}

TEST(MpegReader, LengthsPastTheEnd) {
    // A tag claiming 256 MB in a file of 2 KB.
    CBytes huge;
    huge.Text("ID3").U8(3).U8(0).U8(0).Synchsafe(0x0FFFFFFF);
    huge.Append(TextFrame(3, "TIT2", 0, "Big")).Append(Frame(test::Mpeg1Layer3));
    huge.PadTo(2048);
    auto info = ReadBytes(huge);
    EXPECT_EQ(info.Ext.Title, "Big");
    EXPECT_EQ(info.BitRate, 0);
    EXPECT_EQ(info.PlayTime, 0);
    huge.Data()[5] = 0x80; // unsynchronised: the whole tag is read, as far as the file goes
    EXPECT_EQ(ReadBytes(huge).Ext.Title, "Big");

    // A frame size, an extended header size and chunk sizes past the end.
    CBytes frame;
    frame.Text("TIT2").U32BE(0xFFFFFFF0).U16BE(0).U8(0).Text("x");
    ExpectSane(ReadBytes(TaggedStream(Id3Tag(3, frame))));
    ExpectSane(ReadBytes(TaggedStream(Id3Tag(3, CBytes().U32BE(0xFFFFFFFF).Fill(20), 0x40))));
    CBytes list;
    list.Text("LIST").U32LE(0xFFFFFFFF).Text("INFO").Text("INAM").U32LE(0xFFFFFFF0).Text("abc");
    info = ReadBytes(Riff("WAVE", Chunk("fmt ", WaveFormat()).Append(list)));
    EXPECT_EQ(info.Ext.Title, "abc");
    EXPECT_EQ(info.SamplingRate, 44100);
    CBytes data;
    data.Text("data").U32LE(0xFFFFFFFF).Append(Frame(test::Mpeg1Layer3));
    info = ReadBytes(Riff("RMP3", data));
    EXPECT_EQ(info.BitRate, 128);
}

// Random bytes and valid files with random bytes changed: never a crash, never a text beyond its
// width, never a negative time (the sanitizers watch the reads).
TEST(MpegReader, RandomAndMutatedBytesAreReadQuietly) {
    using namespace std::string_view_literals;
    std::mt19937 rng(1234);
    const CBytes seeds[] = {
        TaggedStream(Id3Tag(3, TextFrame(3, "TIT2", 1, "\xff\xfe\x41\x00"sv))),
        TaggedStream(Id3Tag(4, TextFrame(4, "TIT2", 3, "x"), 0xC0)),
        TaggedStream(Id3Tag(2, Comment(2, 1, "", "\xff\xfe\x41\x00"sv))),
        Riff("WAVE", Chunk("fmt ", WaveFormat())
                         .Append(Info({{"INAM", "n"}}))
                         .Append(Chunk("data", CBytes().Fill(100)))),
        Riff("RMP3", Chunk("data", XingFrame(FrameHeader(2, 1, 8, 0, false, 3), 13, 5))),
        XingFrame(test::Mpeg1Layer3, 36, 10).Append(Id3v1(Blank)),
    };
    for (const auto& seed : seeds) {
        for (int round = 0; round < 300; ++round) {
            CBytes mutated = seed;
            mutated.Data().resize(std::min<size_t>(mutated.Size(), 600 + rng() % 2000));
            for (auto flips = 1 + rng() % 8; flips > 0; --flips)
                mutated.Data()[rng() % mutated.Size()] = static_cast<uint8_t>(rng());
            ExpectSane(ReadBytes(mutated));
        }
    }
    for (int round = 0; round < 500; ++round) {
        CBytes bytes;
        for (size_t n = rng() % 3000; n > 0; --n)
            bytes.U8(static_cast<uint8_t>(rng()));
        ExpectSane(ReadBytes(bytes));
    }
}

// ---- Real files ------------------------------------------------------------------------------

AudioInfo ReadFile(const char* name) {
    return test::ReadMpeg(test::DataFile(name), CTextCodec());
}

std::unique_ptr<CListData> Record(const char* name) {
    return test::ReadRecord(test::DataFile(name));
}

TEST(MpegReaderFiles, LameConstantBitRateWithId3v1) {
    const auto info = ReadFile("cbr_id3v1.mp3");
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v1);
    EXPECT_EQ(info.Std.Title, "Tone Title");
    EXPECT_EQ(info.Std.Artist, "Tone Artist");
    EXPECT_EQ(info.Std.Album, "Tone Album");
    EXPECT_EQ(info.Std.Year, "2024");
    EXPECT_EQ(info.Std.Comment, "lame cbr");
    EXPECT_EQ(info.Std.TrackNum, "7");
    EXPECT_EQ(info.BitRate, 16);
    EXPECT_EQ(info.SamplingRate, 16000);
    EXPECT_EQ(info.PlayTime, 2) << "(4304 - 128) / 16 * 8 / 1000";

    const auto record = Record("cbr_id3v1.mp3");
    EXPECT_EQ(record->Type(), "ID3 V1");
    EXPECT_EQ(record->BitRateText(), "16 kbit");
    EXPECT_EQ(record->SamplingRateText(), "16000 Hz");
    EXPECT_EQ(record->GetTimeText(TimeUnit::Clock), "00:02");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "7");
    EXPECT_TRUE(record->Has(CListData::InfoRead));
}

TEST(MpegReaderFiles, LameVariableBitRateWithXing) {
    const auto info = ReadFile("vbr_xing.mp3");
    EXPECT_EQ(info.TagFlags, 0);
    EXPECT_EQ(info.BitRate, -1);
    EXPECT_EQ(info.SamplingRate, 22050);
    EXPECT_EQ(info.PlayTime, 2) << "79 frames of 576 samples at 22050 Hz";

    const auto record = Record("vbr_xing.mp3");
    EXPECT_EQ(record->Type(), "タグなし");
    EXPECT_EQ(record->BitRateText(), "(VBR)");
}

TEST(MpegReaderFiles, Id3v23Utf16Japanese) {
    const auto info = ReadFile("id3v23_utf16.mp3");
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v2);
    EXPECT_EQ(info.Ext.Title, "日本語のタイトル");
    EXPECT_EQ(info.Ext.Artist, "アーティスト");
    EXPECT_EQ(info.Ext.Album, "アルバム");
    EXPECT_EQ(info.Ext.Comment, "コメントです");
    EXPECT_EQ(info.Ext.Genre, "J-Pop");
    EXPECT_EQ(info.Ext.Year, "2019");
    EXPECT_EQ(info.Ext.TrackNum, "03");
    EXPECT_EQ(info.BitRate, 16);
    EXPECT_EQ(info.PlayTime, 2);

    const auto record = Record("id3v23_utf16.mp3");
    EXPECT_EQ(record->Type(), "ID3 V2");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "日本語のタイトル")
        << "only the extended set: shown in mode 0";
}

TEST(MpegReaderFiles, Id3v24Utf8Japanese) {
    const auto info = ReadFile("id3v24_utf8.mp3");
    EXPECT_EQ(info.TagFlags, AudioInfo::TagId3v2);
    EXPECT_EQ(info.Ext.Title, "夏の歌");
    EXPECT_EQ(info.Ext.Artist, "歌手");
    EXPECT_EQ(info.Ext.Album, "名盤");
    EXPECT_EQ(info.Ext.Comment, "良い曲") << "language jpn, description 説明";
    EXPECT_EQ(info.Ext.Genre, "Pop");
    EXPECT_EQ(info.Ext.Year, "2021-07-15");
    EXPECT_EQ(info.Ext.TrackNum, "12/14");
    EXPECT_EQ(info.SamplingRate, 16000);
}

TEST(MpegReaderFiles, WaveWithInfo) {
    const auto info = ReadFile("info.wav");
    EXPECT_EQ(info.TagFlags, AudioInfo::TagRiffWave);
    EXPECT_EQ(info.SamplingRate, 8000);
    EXPECT_EQ(info.BitRate, 64);
    EXPECT_EQ(info.PlayTime, 1);
    EXPECT_EQ(info.Ext.Title, "波の音");
    EXPECT_EQ(info.Ext.Artist, "Sea Artist");
    EXPECT_EQ(info.Ext.Album, "Shore");
    EXPECT_EQ(info.Ext.Comment, "recorded at dawn");
    EXPECT_EQ(info.Ext.Year, "2020");
    EXPECT_EQ(info.Ext.Genre, "Ambient");

    const auto record = Record("info.wav");
    EXPECT_EQ(record->Type(), "RIFF Wave");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "波の音");
    EXPECT_EQ(record->GetTitle(TagMode::Extended), "波の音");
    EXPECT_EQ(record->BitRateText(), "64 kbit");
    EXPECT_EQ(record->GetTimeText(TimeUnit::Seconds), "1 sec");
}

TEST(MpegReaderFiles, MissingFileGivesNothing) {
    const auto info = test::ReadMpeg(test::DataFile("no-such-file.mp3"), CTextCodec());
    EXPECT_EQ(info.FileLength, 0);
    EXPECT_EQ(info.TagFlags, 0);
}

// ---- Tags after the stream, ID3 chunks in WAVE ------------------------------------------------

CBytes ApeTag(size_t itemBytes, bool withHeader) {
    const auto footer = [&](uint32_t flags) {
        return CBytes()
            .Text("APETAGEX")
            .U32LE(2000)
            .U32LE(static_cast<uint32_t>(itemBytes + 32))
            .U32LE(1)
            .U32LE(flags)
            .Fill(8);
    };
    CBytes tag;
    if (withHeader)
        tag.Append(footer(0xA0000000));
    return tag.Fill(itemBytes, 'a').Append(footer(withHeader ? 0x80000000 : 0));
}

// "LYRICSBEGIN", one field (identifier, five digits of size, the text), six digits of the
// size before them, "LYRICS200": 34 bytes more than the lyrics.
CBytes Lyrics3v2(size_t lyricsBytes) {
    char size[8];
    std::snprintf(size, sizeof size, "%05zu", lyricsBytes);
    CBytes tag;
    tag.Text("LYRICSBEGIN").Text("LYR").Text(size).Fill(lyricsBytes, 'l');
    std::snprintf(size, sizeof size, "%06zu", tag.Size());
    return tag.Text(size).Text("LYRICS200");
}

TEST(MpegReader, ApeAndLyrics3TagsAreNoAudio) {
    // 4,000,000 bytes of stream are 250 s; each trailing tag of 40,000 bytes would add 2 s.
    const auto stream = Frame(test::Mpeg1Layer3).PadTo(4'000'000);
    const auto ape = ApeTag(40'000 - 64, true);
    ASSERT_EQ(ape.Size(), 40'000u);
    const auto lyrics = Lyrics3v2(40'000 - 34);
    ASSERT_EQ(lyrics.Size(), 40'000u);
    const auto v1 = Id3v1(Blank);
    const CBytes layouts[] = {
        CBytes(stream).Append(ape),
        CBytes(stream).Append(ape).Append(v1),
        CBytes(stream).Append(ApeTag(40'000 - 32, false)).Append(v1),
        CBytes(stream).Append(lyrics).Append(v1),
        CBytes(stream).Append(lyrics).Append(ape).Append(v1),
        CBytes(stream).Text("LYRICSBEGIN").Fill(5000, 'x').Text("LYRICSEND").Append(v1),
    };
    for (const auto& file : layouts)
        EXPECT_EQ(ReadBytes(file).PlayTime, 250) << file.Size();

    // A size that does not lead to the tag's start, and a size beyond the file, count as audio.
    auto wrongSize = CBytes(stream).Append(lyrics);
    std::memcpy(wrongSize.Data().data() + wrongSize.Size() - 15, "000100", 6);
    EXPECT_EQ(ReadBytes(wrongSize).PlayTime, 252);
    auto beyond = CBytes(stream).Append(ApeTag(40'000 - 32, false));
    beyond.Data()[beyond.Size() - 17] = 0x7F; // the size's high byte
    EXPECT_EQ(ReadBytes(beyond).PlayTime, 252);
}

// The encoder's file with an APEv2 tag of 3 KB added by mutagen (tests/data/README-lib.md).
// Before tagging, ffprobe -v error -show_entries format=duration gave 2.088000; on the tagged
// file ffprobe and mutagen both count the tag as audio and report 3.639 s.
TEST(MpegReader, RealFileWithAnApeTag) {
    const auto record = test::ReadRecord(test::DataFile("lib-ape.mp3"));
    EXPECT_EQ(record->Time(), 2);
    EXPECT_EQ(record->GetTitle(TagMode::Extended), "日本語のタイトル");
}

TEST(MpegReader, WaveId3ChunkPreferredToInfo) {
    const auto data = Chunk("data", CBytes().Fill(1'764'000));
    const auto tag =
        Id3Tag(3, TextFrame(3, "TIT2", 3, "Tagged").Append(TextFrame(3, "TRCK", 3, "4")));
    const auto info = Info({{"INAM", "Listed"}, {"IPRD", "Album"}});
    for (const std::string_view id : {"id3 ", "ID3 "}) {
        for (const bool tagFirst : {true, false}) {
            auto chunks = Chunk("fmt ", WaveFormat());
            if (tagFirst)
                chunks.Append(Chunk(id, tag)).Append(info).Append(data);
            else
                chunks.Append(info).Append(data).Append(Chunk(id, tag));
            const auto read = ReadBytes(Riff("WAVE", chunks));
            EXPECT_EQ(read.Ext.Title, "Tagged") << id;
            EXPECT_EQ(read.Ext.Album, "Album") << "INFO fills what the tag lacks";
            EXPECT_EQ(read.Ext.TrackNum, "4");
            EXPECT_EQ(read.PlayTime, 10) << "the tag is no audio";
            EXPECT_EQ(read.TagFlags, AudioInfo::TagRiffWave);
        }
    }

    // info.wav with an ID3v2 tag added by mutagen in an "id3 " chunk after "data".
    const auto record = test::ReadRecord(test::DataFile("lib-id3chunk.wav"));
    EXPECT_EQ(record->Type(), "RIFF Wave");
    EXPECT_EQ(record->GetTitle(TagMode::Standard), "ID3 の波");
    EXPECT_EQ(record->GetArtist(TagMode::Standard), "ID3 Wave Artist");
    EXPECT_EQ(record->GetAlbum(TagMode::Standard), "Shore");
    EXPECT_EQ(record->GetTrackNum(TagMode::Standard), "9");
    EXPECT_EQ(record->Time(), 1);
}

} // namespace
} // namespace torvane
