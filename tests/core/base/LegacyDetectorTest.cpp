#include "core/base/LegacyDetector.h"
#include "core/base/DisplayPath.h"
#include "core/base/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

std::string Bytes(std::string_view utf8, const char* codePage) {
    std::string out;
    EXPECT_TRUE(CTextCodec::ToEncoding(utf8, codePage, out)) << utf8 << " in " << codePage;
    return out;
}

LegacyEncoding DetectOne(std::string_view text, LegacyEncoding preferred = LegacyEncoding::Cp932) {
    return CLegacyDetector::Detect(std::span(&text, 1), preferred).Encoding;
}

// The setting's forms: "auto" prefers CP932, "auto:" names another preference, anything else
// is forced; a bare Windows code page number names its "CPnnn".
TEST(LegacyDetector, CodePageSettings) {
    EXPECT_TRUE(CTextCodec().Automatic());
    EXPECT_EQ(CTextCodec().CodePage(), "CP932");
    EXPECT_EQ(CTextCodec("").CodePage(), "CP932");
    EXPECT_EQ(CTextCodec("AUTO:1251").CodePage(), "CP1251");
    EXPECT_EQ(CTextCodec("auto:cp1252").CodePage(), "CP1252");
    EXPECT_EQ(CTextCodec("auto:nonsense").CodePage(), "CP932");
    EXPECT_FALSE(CTextCodec("CP932").Automatic());
    EXPECT_EQ(CTextCodec("1251").CodePage(), "CP1251");
    EXPECT_FALSE(CTextCodec("1251").Automatic());
    EXPECT_EQ(LegacyEncodingOf("Shift_JIS"), LegacyEncoding::Cp932);
    EXPECT_EQ(LegacyEncodingOf("windows-1250"), LegacyEncoding::Cp1250);
    EXPECT_EQ(LegacyEncodingOf("GB18030"), LegacyEncoding::Gbk);
    EXPECT_EQ(LegacyEncodingOf("KOI8-R"), std::nullopt);
}

// Validity alone does not decide: "日本語" in UTF-8 is also a sequence of single-byte code
// pages, and "ﾃｽﾄ曲①" in CP932 is also valid UTF-8; each is read in the language it makes sense
// in.
TEST(LegacyDetector, ScoresRatherThanValidates) {
    EXPECT_EQ(DetectOne("日本語"), LegacyEncoding::Utf8);
    EXPECT_EQ(DetectOne("Ελληνικά"), LegacyEncoding::Utf8);
    const std::string halfWidth = Bytes("ﾃｽﾄ曲①", "CP932");
    ASSERT_TRUE(CTextCodec::IsValidUtf8(halfWidth));
    EXPECT_EQ(DetectOne(halfWidth), LegacyEncoding::Cp932);
    EXPECT_EQ(DetectOne(Bytes("夜に駆ける", "EUC-JP")), LegacyEncoding::EucJp);
    EXPECT_EQ(DetectOne(Bytes("我的歌声里", "GBK")), LegacyEncoding::Gbk);
    EXPECT_EQ(DetectOne(Bytes("月亮代表我的心", "CP950")), LegacyEncoding::Big5);
    EXPECT_EQ(DetectOne(Bytes("사랑해요", "CP949")), LegacyEncoding::Cp949);
    EXPECT_EQ(DetectOne(Bytes("Звезда по имени Солнце", "CP1251")), LegacyEncoding::Cp1251);
    EXPECT_EQ(DetectOne(Bytes("Dziwny jest ten świat", "CP1250")), LegacyEncoding::Cp1250);
    EXPECT_EQ(DetectOne(Bytes("Τα παιδιά του Πειραιά", "CP1253")), LegacyEncoding::Cp1253);
    EXPECT_EQ(DetectOne(Bytes("Ça plane pour moi", "CP1252")), LegacyEncoding::Cp1252);
    // Nothing to go by: the preferred one.
    const std::vector<std::string_view> ascii = {"Lemon", "YOASOBI"};
    EXPECT_EQ(CLegacyDetector::Detect(ascii, LegacyEncoding::Cp1251).Encoding,
              LegacyEncoding::Cp1251);
}

// A double-byte character cut off at the end is forgiven only where a full fixed-width field
// (30 bytes) may have cut it; a UTF-8 sequence cut there too.
TEST(LegacyDetector, CutCharactersOnlyAtTheEndOfAFullField) {
    std::string out;
    EXPECT_FALSE(CLegacyDetector::Decode("\x93\xfa\x96", LegacyEncoding::Cp932, out));
    const std::string field = Bytes("残酷な天使のテーゼ／ＦＬＹ ＭＥ", "CP932") + "\x82";
    ASSERT_GE(field.size(), 30u);
    ASSERT_TRUE(CLegacyDetector::Decode(field, LegacyEncoding::Cp932, out));
    EXPECT_EQ(out, "残酷な天使のテーゼ／ＦＬＹ ＭＥ");
    const std::string utf8 = "Звезда по имени Солнц\xD0";
    ASSERT_TRUE(CLegacyDetector::Decode(utf8, LegacyEncoding::Utf8, out));
    EXPECT_EQ(out, "Звезда по имени Солнц");
    EXPECT_FALSE(CLegacyDetector::Decode("\xF0\x40", LegacyEncoding::Cp932, out))
        << "the user-defined area is no character";
    EXPECT_FALSE(CLegacyDetector::Decode("\x98", LegacyEncoding::Cp1251, out));
}

// Bytes no candidate reads, megabytes of them, or of any one high byte: the decision looks at
// a bounded part, and the text still decodes to valid UTF-8, byte for byte.
TEST(LegacyDetector, HostileTextsAreBoundedAndDecodeToSomething) {
    std::string hostile;
    while (hostile.size() < 4 * 1024 * 1024)
        hostile += "\x98\x20\x81\x20";
    const CTextCodec codec;
    const std::string decoded = codec.FromLegacy(hostile);
    EXPECT_TRUE(CTextCodec::IsValidUtf8(decoded));
    EXPECT_GE(decoded.size(), hostile.size());
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string same(1000, static_cast<char>(byte));
        const std::string text = codec.FromLegacy(same);
        EXPECT_TRUE(CTextCodec::IsValidUtf8(text)) << byte;
        EXPECT_FALSE(text.empty()) << byte;
    }
    std::vector<std::string> many(5000, Bytes("曲", "CP932"));
    std::vector<std::string_view> views(many.begin(), many.end());
    EXPECT_EQ(codec.FromLegacyTogether(views).back(), "曲");
}

// The names along a path are decided together: a short Cyrillic name follows its folder, and a
// forced code page still escapes what it cannot read. The bytes are never changed, only shown.
TEST(LegacyDetector, PathsAreShownInTheirLanguage) {
    const CTextCodec codec;
    const std::string russian =
        "/music/" + Bytes("Группа крови", "CP1251") + "/" + Bytes("Я", "CP1251") + ".mp3";
    EXPECT_EQ(DisplayPath(russian, codec), "/music/Группа крови/Я.mp3");
    const std::string chinese = "/" + Bytes("邓丽君", "GBK") + "/" + Bytes("甜蜜蜜", "GBK");
    EXPECT_EQ(DisplayPath(chinese, codec), "/邓丽君/甜蜜蜜");
    EXPECT_EQ(DisplayPath("/" + Bytes("音楽", "CP932") + "/a\xe9\x01.mp3", codec),
              "/音楽/a\\xE9\\x01.mp3")
        << "a control character is escaped with the whole name";
    EXPECT_EQ(DisplayPath("/m/" + Bytes("Группа", "CP1251"), CTextCodec("CP932")),
              "/m/\\xC3\\xF0\\xF3\\xEF\\xEF\\xE0");
}

} // namespace
} // namespace torvane
