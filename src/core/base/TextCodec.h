#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace torvane {

// Every text the program keeps is UTF-8. This is the one place where tag bytes in other
// encodings become UTF-8: legacy single-byte texts (ID3v1, ID3v2 encoding 0, RIFF INFO, list
// files written on other systems) and UTF-16 texts (ID3v2, ASF).
class CTextCodec {
public:
    static constexpr const char* DefaultCodePage = "CP932";

    explicit CTextCodec(std::string legacyCodePage = DefaultCodePage);

    // A single-byte tag text: kept when it is valid UTF-8, else decoded from the legacy code
    // page; a text that is no clean sequence of that code page is decoded as CP1252.
    std::string FromLegacy(std::string_view bytes) const;
    // The bytes decoded from the legacy code page only: false when they are no clean sequence
    // of it, decode to private-use characters or do not encode back to the same bytes.
    bool FromLegacyStrictly(std::string_view bytes, std::string& out) const;

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
};

} // namespace torvane
