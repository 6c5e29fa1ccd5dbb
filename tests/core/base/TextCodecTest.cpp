#include "core/base/TextCodec.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace torvane {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(TextCodec, LegacyTextsKeptWhenUtf8ElseDecoded) {
    const CTextCodec japanese("CP932");
    EXPECT_EQ(japanese.FromLegacy("plain"), "plain");
    EXPECT_EQ(japanese.FromLegacy("日本語"), "日本語") << "valid UTF-8 stays";
    EXPECT_EQ(japanese.FromLegacy("\x93\xfa\x96\x7b"), "日本");
    EXPECT_EQ(japanese.FromLegacy("\x87\x40"), "①") << "NEC extension characters";
    EXPECT_EQ(japanese.FromLegacy("caf\xe9"), "café") << "not CP932: falls back to CP1252";
    EXPECT_EQ(japanese.FromLegacy("\xf0\x40"), "ð@") << "user-defined area: CP1252";
    EXPECT_EQ(japanese.FromLegacy("\x93\xfa\x96"), "日") << "a field cut inside a character";

    const CTextCodec western("CP1252");
    EXPECT_EQ(western.FromLegacy("\x80 na\xefve"), "€ naïve");
    EXPECT_EQ(western.FromLegacy("\x81"), "\xc2\x81") << "every byte decodes";

    const CTextCodec unknown("NO-SUCH-CODEPAGE");
    EXPECT_EQ(unknown.FromLegacy("caf\xe9"), "café");
}

TEST(TextCodec, Utf16ByteOrderAndSurrogates) {
    using namespace std::string_view_literals;
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\xff\xfe\x65\x00\xe5\x65"sv), true), "e日");
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\xfe\xff\x00\x65\x65\xe5"sv), false), "e日");
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\x00\x41\x00\x42"sv), true), "AB");
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\x41\x00\x00\x00\x42\x00"sv), false), "A")
        << "ends at the first zero unit";
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\x3d\xd8\x00\xde"sv), false), "😀");
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\x3d\xd8\x41\x00"sv), false), "\xef\xbf\xbd"
                                                                         "A")
        << "an unpaired surrogate is replaced";
    EXPECT_EQ(CTextCodec::FromUtf16(Bytes("\x41\x00\x42"sv), false), "A") << "odd byte dropped";
}

TEST(TextCodec, Utf8Helpers) {
    EXPECT_TRUE(CTextCodec::IsValidUtf8("ascii 日本"));
    EXPECT_FALSE(CTextCodec::IsValidUtf8("\xc3"));
    EXPECT_FALSE(CTextCodec::IsValidUtf8("\xed\xa0\x80")) << "surrogates are not UTF-8";
    EXPECT_FALSE(CTextCodec::IsValidUtf8("\xc0\xaf")) << "overlong";
    EXPECT_EQ(CTextCodec::SanitizeUtf8("a\xff"
                                       "b"),
              "a\xef\xbf\xbd"
              "b");
    EXPECT_EQ(CTextCodec::CutUtf8("日本語", 7), "日本") << "never inside a character";
    EXPECT_EQ(CTextCodec::CutUtf8("abc", 3), "abc");
    EXPECT_EQ(CTextCodec::UpToZero(std::string_view("ab\0cd", 5)), "ab");
}

// A text converted line by line as it is written gives the bytes of the whole text converted at
// once, also in encodings with a byte-order mark or shift states, which a fresh conversion of
// each line would repeat or leave open.
TEST(TextCodec, AnEncoderGivenPiecesWritesTheWholeText) {
    const std::vector<std::string> lines{"/m/曲①.mp3\r\n", "/m/a.mp3\r\n", "/m/日本語 b.mp3\r\n"};
    std::string whole;
    for (const std::string& line : lines)
        whole += line;
    for (const std::string encoding : {"UTF-16", "ISO-2022-JP-2", "UTF-7", "CP932"}) {
        SCOPED_TRACE(encoding);
        std::string expected;
        ASSERT_TRUE(CTextCodec::ToEncoding(whole, encoding, expected));
        CTextEncoder encoder(encoding);
        ASSERT_TRUE(encoder.Known());
        std::string pieces;
        for (const std::string& line : lines)
            ASSERT_TRUE(encoder.Convert(line, pieces));
        ASSERT_TRUE(encoder.Finish(pieces));
        EXPECT_EQ(pieces, expected);
    }

    CTextEncoder cp932("CP932");
    std::string out;
    EXPECT_FALSE(cp932.Convert("/m/한국.mp3\r\n", out)) << "a character it lacks";
    EXPECT_FALSE(CTextEncoder("NO-SUCH-CODE").Known());
}

} // namespace
} // namespace torvane
