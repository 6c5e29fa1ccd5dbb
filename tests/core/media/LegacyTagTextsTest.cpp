#include "MpegBytes.h"
#include "base/LegacyCorpus.h"
#include "core/base/TextCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace torvane {
namespace {

using test::CBytes;
using test::CorpusTrack;
using test::Frame;

std::optional<std::string> Encode(std::string_view utf8, std::string_view codePage) {
    std::string out;
    if (!CTextCodec::ToEncoding(utf8, std::string(codePage), out))
        return std::nullopt;
    return out;
}

// The longest start of text, on a character boundary, whose encoding fits an ID3v1 field, as
// a tagger cuts it; trailing spaces go, as the reader drops them.
std::string FitId3v1(std::string text, std::string_view codePage) {
    while (!text.empty() && Encode(text, codePage)->size() > 30) {
        text.pop_back();
        while (!text.empty() && (static_cast<uint8_t>(text.back()) & 0xC0) == 0x80)
            text.pop_back();
        if (!text.empty() && static_cast<uint8_t>(text.back()) >= 0xC0)
            text.pop_back();
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

CBytes Id3v1Field(std::string_view bytes) {
    return CBytes().Text(bytes).Fill(30 - bytes.size(), 0);
}

CBytes TextFrame(std::string_view id, uint8_t encoding, std::string_view bytes) {
    return CBytes()
        .Text(id)
        .U32BE(static_cast<uint32_t>(bytes.size() + 1))
        .U16BE(0)
        .U8(encoding)
        .Text(bytes);
}

CBytes CommentFrame(std::string_view bytes) {
    return CBytes()
        .Text("COMM")
        .U32BE(static_cast<uint32_t>(bytes.size() + 5))
        .U16BE(0)
        .U8(0)
        .Text("eng")
        .U8(0)
        .Text(bytes);
}

CBytes Id3v2(const CBytes& frames) {
    return CBytes()
        .Text("ID3")
        .U8(3)
        .U8(0)
        .U8(0)
        .Synchsafe(static_cast<uint32_t>(frames.Size()))
        .Append(frames);
}

// An MP3 file whose ID3v2 tag (texts in the single-byte encoding) and ID3v1 tag hold the
// track in the code page; none when the code page cannot write it.
std::optional<CBytes> TaggedFile(const CorpusTrack& track, std::string_view codePage) {
    const auto title = Encode(track.Title, codePage), artist = Encode(track.Artist, codePage),
               album = Encode(track.Album, codePage), comment = Encode(track.Comment, codePage);
    if (!title || !artist || !album || !comment)
        return std::nullopt;
    CBytes frames;
    frames.Append(TextFrame("TIT2", 0, *title))
        .Append(TextFrame("TPE1", 0, *artist))
        .Append(TextFrame("TALB", 0, *album));
    if (!comment->empty())
        frames.Append(CommentFrame(*comment));
    CBytes file = Id3v2(frames);
    file.Append(Frame(test::Mpeg1Layer3))
        .Text("TAG")
        .Append(Id3v1Field(*Encode(FitId3v1(std::string(track.Title), codePage), codePage)))
        .Append(Id3v1Field(*Encode(FitId3v1(std::string(track.Artist), codePage), codePage)))
        .Append(Id3v1Field(*Encode(FitId3v1(std::string(track.Album), codePage), codePage)))
        .Text("2001")
        .Append(Id3v1Field(*Encode(FitId3v1(std::string(track.Comment), codePage), codePage)))
        .U8(255);
    return file;
}

struct Tally {
    int Right = 0;
    int Fields = 0;
    void Add(bool right) {
        Right += right ? 1 : 0;
        ++Fields;
    }
    double Share() const { return Fields ? 100.0 * Right / Fields : 100.0; }
};

// The fields of one reading that came out as written: each wanted text against what was read.
void Count(const AudioInfo& info, const CorpusTrack& track, std::string_view codePage,
           const std::function<void(bool, std::string_view, const std::string&)>& field) {
    const auto check = [&](std::string_view wanted, const std::string& read) {
        if (!wanted.empty())
            field(read == wanted, wanted, read);
    };
    check(track.Title, info.Ext.Title);
    check(track.Artist, info.Ext.Artist);
    check(track.Album, info.Ext.Album);
    check(track.Comment, info.Ext.Comment);
    check(FitId3v1(std::string(track.Title), codePage), info.Std.Title);
    check(FitId3v1(std::string(track.Artist), codePage), info.Std.Artist);
    check(FitId3v1(std::string(track.Album), codePage), info.Std.Album);
    check(FitId3v1(std::string(track.Comment), codePage), info.Std.Comment);
}

// Real titles, artists and albums of many languages, each written in its code pages and as
// UTF-8 into both tags of one file, are read back as written: the share per code page is
// printed. Every CP932 field reads right, and no Japanese field reads worse than with the
// code page forced to CP932 as it used to be.
TEST(LegacyTagTexts, CorpusOfRealTagsReadsBackInItsLanguage) {
    const CTextCodec automatic;
    const CTextCodec forcedJapanese("CP932");
    std::map<std::string, Tally> byCodePage, forcedByCodePage;
    Tally overall, forcedOverall;
    int japaneseWorse = 0;
    for (const test::CorpusLanguage& language : test::Corpus) {
        std::vector<std::string_view> codePages(language.CodePages.begin(),
                                                language.CodePages.end());
        if (language.Name != "English")
            codePages.emplace_back("UTF-8");
        for (const std::string_view codePage : codePages) {
            const std::string key = language.Name == "English" ? "ASCII" : std::string(codePage);
            for (const CorpusTrack& track : language.Tracks) {
                const auto file = TaggedFile(track, codePage);
                if (!file)
                    continue;
                const AudioInfo read = test::ReadBytes(*file, automatic);
                const AudioInfo before = test::ReadBytes(*file, forcedJapanese);
                std::vector<bool> rightBefore;
                Count(before, track, codePage,
                      [&](bool right, std::string_view, const std::string&) {
                          rightBefore.push_back(right);
                          forcedByCodePage[key].Add(right);
                          forcedOverall.Add(right);
                      });
                size_t i = 0;
                Count(read, track, codePage,
                      [&](bool right, std::string_view wanted, const std::string& got) {
                          byCodePage[key].Add(right);
                          overall.Add(right);
                          if (language.Name == "Japanese" && rightBefore[i] && !right) {
                              ++japaneseWorse;
                              ADD_FAILURE() << codePage << ": " << wanted << " read as " << got;
                          }
                          if (!right)
                              std::printf("  %s %s: %s -> %s\n", key.c_str(),
                                          std::string(language.Name).c_str(),
                                          std::string(wanted).c_str(), got.c_str());
                          ++i;
                      });
            }
        }
    }
    for (const auto& [codePage, tally] : byCodePage)
        std::printf("%-7s %4d of %4d fields right (%.1f%%; CP932 forced: %.1f%%)\n",
                    codePage.c_str(), tally.Right, tally.Fields, tally.Share(),
                    forcedByCodePage[codePage].Share());
    std::printf("overall %4d of %4d fields right (%.1f%%; CP932 forced: %.1f%%)\n", overall.Right,
                overall.Fields, overall.Share(), forcedOverall.Share());
    EXPECT_EQ(byCodePage["CP932"].Right, byCodePage["CP932"].Fields);
    EXPECT_GE(overall.Share(), 95.0);
    EXPECT_EQ(japaneseWorse, 0);
    EXPECT_GT(overall.Fields, 1500) << "the corpus is all there";
}

std::string Bytes(std::string_view utf8, std::string_view codePage) {
    return *Encode(utf8, codePage);
}

// ID3v2 texts in the single-byte encoding and an ID3v1 tag, each text already in bytes.
CBytes FileWith(std::string_view title, std::string_view artist, std::string_view album) {
    CBytes file = Id3v2(CBytes()
                            .Append(TextFrame("TIT2", 0, title))
                            .Append(TextFrame("TPE1", 0, artist))
                            .Append(TextFrame("TALB", 0, album)));
    return file.Append(Frame(test::Mpeg1Layer3))
        .Text("TAG")
        .Append(Id3v1Field(title.substr(0, 30)))
        .Append(Id3v1Field(artist.substr(0, 30)))
        .Append(Id3v1Field(album.substr(0, 30)))
        .Text("2001")
        .Append(Id3v1Field(""))
        .U8(255);
}

void ExpectTexts(const AudioInfo& info, std::string_view title, std::string_view artist,
                 std::string_view album) {
    EXPECT_EQ(info.Ext.Title, title);
    EXPECT_EQ(info.Ext.Artist, artist);
    EXPECT_EQ(info.Ext.Album, album);
    EXPECT_EQ(info.Std.Title, title);
    EXPECT_EQ(info.Std.Artist, artist);
    EXPECT_EQ(info.Std.Album, album);
}

// Japanese stays Japanese; Chinese whose bytes are a clean CP932 sequence as well is still
// read as Chinese; a CP932 title that happens to be valid UTF-8 is read as CP932.
TEST(LegacyTagTexts, EachFileReadsInItsOwnLanguage) {
    const CTextCodec codec;
    ExpectTexts(test::ReadBytes(FileWith(Bytes("夜に駆ける", "CP932"), "YOASOBI",
                                         Bytes("ｱﾆﾒ主題歌大全集①", "CP932")),
                                codec),
                "夜に駆ける", "YOASOBI", "ｱﾆﾒ主題歌大全集①");

    const std::string title = Bytes("青花瓷", "GBK"), artist = Bytes("周杰伦", "GBK"),
                      album = Bytes("我很忙", "GBK");
    std::string asJapanese;
    ASSERT_TRUE(CTextCodec("CP932").FromLegacyStrictly(title, asJapanese))
        << "the GBK title is a clean CP932 sequence too";
    ExpectTexts(test::ReadBytes(FileWith(title, artist, album), codec), "青花瓷", "周杰伦",
                "我很忙");

    const std::string halfWidth = Bytes("ﾃｽﾄ曲①", "CP932");
    ASSERT_TRUE(CTextCodec::IsValidUtf8(halfWidth)) << "it reads as UTF-8 \"ýċȇ@\" too";
    ExpectTexts(test::ReadBytes(FileWith(halfWidth, "", ""), codec), "ﾃｽﾄ曲①", "", "");
    const std::string utf8Title = "日本語";
    ExpectTexts(test::ReadBytes(FileWith(utf8Title, "", ""), codec), "日本語", "", "");
}

// A field too short to tell its encoding alone (one Cyrillic letter reads as Greek or as a
// half-width katakana just as well) follows the other texts of its file.
TEST(LegacyTagTexts, AShortFieldFollowsTheOtherFieldsOfItsFile) {
    const CTextCodec codec;
    const std::string alone = Bytes("Я", "CP1251");
    EXPECT_NE(codec.FromLegacy(alone), "Я") << "alone it is taken for another script";
    ExpectTexts(
        test::ReadBytes(
            FileWith(alone, Bytes("Кипелов", "CP1251"), Bytes("Смутное время", "CP1251")), codec),
        "Я", "Кипелов", "Смутное время");
    // An ID3v1 comment goes with the ID3v2 texts of the same file.
    CBytes file = Id3v2(TextFrame("TIT2", 0, Bytes("Dziwny jest ten świat", "CP1250")));
    file.Append(Frame(test::Mpeg1Layer3))
        .Text("TAG")
        .Append(Id3v1Field(""))
        .Append(Id3v1Field(""))
        .Append(Id3v1Field(""))
        .Text("1967")
        .Append(Id3v1Field(Bytes("Łza", "CP1250")))
        .U8(255);
    EXPECT_EQ(test::ReadBytes(file, codec).Std.Comment, "Łza");
}

// An explicit code page is used as it always was; "auto:CODEPAGE" only changes which code
// page wins when the candidates score alike.
TEST(LegacyTagTexts, AnExplicitCodePageWins) {
    const CBytes gbk =
        FileWith(Bytes("青花瓷", "GBK"), Bytes("周杰伦", "GBK"), Bytes("我很忙", "GBK"));
    std::string asJapanese;
    ASSERT_TRUE(CTextCodec("CP932").FromLegacyStrictly(Bytes("青花瓷", "GBK"), asJapanese));
    EXPECT_EQ(test::ReadBytes(gbk, CTextCodec("CP932")).Ext.Title, asJapanese);
    EXPECT_EQ(test::ReadBytes(gbk, CTextCodec("auto:CP932")).Ext.Title, "青花瓷");

    const std::string alone = Bytes("Я", "CP1251");
    EXPECT_EQ(CTextCodec("auto:1251").FromLegacy(alone), "Я");
    EXPECT_EQ(CTextCodec("CP1251").FromLegacy(alone), "Я");
    EXPECT_EQ(CTextCodec("CP1252").FromLegacy(alone), "ß");
    // A forced code page keeps a text that is valid UTF-8, as before.
    EXPECT_EQ(CTextCodec("CP932").FromLegacy(Bytes("ﾃｽﾄ曲①", "CP932")), "ýċȇ@");
}

// Texts declared UTF-16 or UTF-8 are never decoded again, also when a legacy frame of the same
// kind came first, and they take no part in the decision.
TEST(LegacyTagTexts, Utf16AndUtf8TextsAreLeftAlone) {
    // "あい" (U+3042, U+3044) little-endian after its byte-order mark.
    const std::string utf16 = std::string("\xFF\xFE") + "B0D0";
    CBytes frames;
    frames.Append(TextFrame("TIT2", 0, Bytes("Кино", "CP1251")))
        .Append(TextFrame("TIT2", 1, utf16))
        .Append(TextFrame("TPE1", 0, Bytes("Группа крови", "CP1251")))
        .Append(TextFrame("TALB", 3, "ﾃｽﾄ"))
        .Append(TextFrame("TCON", 0, Bytes("Рок", "CP1251")));
    const AudioInfo info =
        test::ReadBytes(Id3v2(frames).Append(Frame(test::Mpeg1Layer3)), CTextCodec());
    EXPECT_EQ(info.Ext.Title, "あい");
    EXPECT_EQ(info.Ext.Artist, "Группа крови");
    EXPECT_EQ(info.Ext.Album, "ﾃｽﾄ");
    EXPECT_EQ(info.Ext.Genre, "Рок");
}

// Bytes that no candidate reads, far longer than any tag text, in an ID3v2 frame and all
// four ID3v1 fields: the texts come out cut, as valid UTF-8.
TEST(LegacyTagTexts, AHostileTextIsBoundedAndDecodesToSomething) {
    std::string hostile;
    while (hostile.size() < 200 * 1024)
        hostile += "\x98\x20\x81\x20";
    const std::string allHigh(30, '\xFF');
    CBytes file = Id3v2(TextFrame("TIT2", 0, hostile));
    file.Append(Frame(test::Mpeg1Layer3))
        .Text("TAG")
        .Append(Id3v1Field(allHigh))
        .Append(Id3v1Field(allHigh))
        .Append(Id3v1Field(allHigh))
        .Text("\xFF\xFF\xFF\xFF")
        .Append(Id3v1Field(allHigh))
        .U8(255);
    const AudioInfo info = test::ReadBytes(file, CTextCodec());
    EXPECT_FALSE(info.Ext.Title.empty());
    EXPECT_LE(info.Ext.Title.size(), AudioInfo::MaxId3TextBytes);
    EXPECT_TRUE(CTextCodec::IsValidUtf8(info.Ext.Title));
    for (const std::string* text :
         {&info.Std.Title, &info.Std.Artist, &info.Std.Comment, &info.Std.Year}) {
        EXPECT_FALSE(text->empty());
        EXPECT_TRUE(CTextCodec::IsValidUtf8(*text));
    }
}

} // namespace
} // namespace torvane
