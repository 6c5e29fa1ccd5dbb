#pragma once

#include "core/base/LegacyDetector.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// Every text the program keeps is UTF-8. This is the one place where tag bytes in other
// encodings become UTF-8: legacy single-byte texts (ID3v1, ID3v2 encoding 0, RIFF INFO, list
// files written on other systems) and UTF-16 texts (ID3v2, ASF).
//
// The legacy code page is a setting: "auto" (the default) lets the legacy text detector decide
// for each file, preferring CP932 when candidates score alike; "auto:CP1251" (or "auto:1251")
// prefers another code page; any other value is an iconv name ("CP932", "CP1252") that is
// forced: texts are kept when they are valid UTF-8 and decoded from it otherwise.
class CTextCodec {
public:
    static constexpr const char* DefaultCodePage = "auto";
    static constexpr const char* AutomaticPrefix = "auto";

    explicit CTextCodec(std::string legacyCodePage = DefaultCodePage);

    bool Automatic() const { return m_Automatic; }
    // The code page preferred by the detector (automatic), or the forced one, as an iconv name.
    const std::string& CodePage() const { return m_CodePage; }

    // A single-byte text alone: its encoding decided from it alone (automatic), or kept when
    // it is valid UTF-8 and else decoded from the forced code page; a text that is no clean
    // sequence of the code page is decoded as CP1252.
    std::string FromLegacy(std::string_view bytes) const;
    // The single-byte texts of one source (the tag texts of one file) decoded together: in
    // automatic mode one encoding is decided from all of them; a text that is no clean
    // sequence of it is decided alone.
    std::vector<std::string> FromLegacyTogether(std::span<const std::string_view> texts) const;
    // The iconv name of the encoding the texts are decoded from: the detector's choice for all
    // of them together in automatic mode, else the forced code page.
    std::string CodePageFor(std::span<const std::string_view> texts) const;
    // The bytes decoded from the code page only: false when they are no clean sequence of it,
    // decode to private-use characters or do not encode back to the same bytes.
    bool FromLegacyStrictly(std::string_view bytes, std::string& out) const;
    static bool DecodeStrictly(std::string_view bytes, const std::string& codePage,
                               std::string& out);

    // UTF-16 to UTF-8. A byte-order mark decides the byte order and is dropped; without one
    // the text is read big-endian when bigEndianWithoutBom is set, else little-endian.
    // The text ends at the first zero unit; an unpaired surrogate becomes U+FFFD.
    static std::string FromUtf16(std::span<const uint8_t> bytes, bool bigEndianWithoutBom);

    // UTF-8 to the encoding named (an iconv name such as "CP932"). False, with out unchanged,
    // when the converter is missing or the text holds a character the encoding cannot
    // represent: nothing is replaced or dropped.
    static bool ToEncoding(std::string_view utf8, const std::string& encoding, std::string& out);

    // Appends one code point as UTF-8.
    static void AppendCodePoint(std::string& out, uint32_t codePoint);
    static bool IsValidUtf8(std::string_view text);
    // The valid UTF-8 sequences of the text as they are; every other byte, and every control
    // character, as a visible escape such as \xE9.
    static std::string EscapeInvalidUtf8(std::string_view text);
    // Invalid UTF-8 sequences replaced by U+FFFD.
    static std::string SanitizeUtf8(std::string_view text);
    // At most maxBytes bytes, never ending inside a character.
    static std::string CutUtf8(std::string_view text, size_t maxBytes);
    // The text up to its first zero byte.
    static std::string_view UpToZero(std::string_view text);

private:
    std::string m_CodePage;
    bool m_Automatic = true;
    LegacyEncoding m_Preferred = LegacyEncoding::Cp932;
};

// UTF-8 given in pieces converted to an encoding (an iconv name), as one conversion of the whole
// text would: the state of an encoding with shifts carries over from piece to piece, and Finish
// ends the text in the initial state. A piece must not end inside a character.
class CTextEncoder {
public:
    explicit CTextEncoder(const std::string& encoding);
    ~CTextEncoder();
    CTextEncoder(const CTextEncoder&) = delete;
    CTextEncoder& operator=(const CTextEncoder&) = delete;

    // Whether the system has a converter for the encoding.
    bool Known() const;
    // Appends the piece in the encoding to out; false at a character the encoding cannot
    // represent or at invalid UTF-8 (out may then hold part of the piece).
    bool Convert(std::string_view utf8, std::string& out);
    // Appends what returns the encoding to its initial state.
    bool Finish(std::string& out);

private:
    bool Run(std::string_view* utf8, std::string& out);

    void* m_Converter; // an iconv_t
};

} // namespace torvane
