#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace torvane {

// The encodings an 8-bit tag text, list file or file name written on some Windows system (or
// by a tagger that wrote UTF-8 where it should not have) may be in.
enum class LegacyEncoding : uint8_t {
    Utf8,
    Cp932,  // Japanese (Shift_JIS with the NEC and IBM extensions)
    EucJp,  // Japanese on older Unix systems
    Gbk,    // Simplified Chinese
    Big5,   // Traditional Chinese (CP950)
    Cp949,  // Korean
    Cp1251, // Cyrillic
    Cp1252, // Western European
    Cp1250, // Central European
    Cp1253, // Greek
};
constexpr size_t LegacyEncodingCount = 10;

// The iconv name of the encoding ("CP932", "UTF-8").
const char* LegacyEncodingName(LegacyEncoding encoding);
// The encoding an iconv name or Windows code page number names ("CP932", "cp1251", "932",
// "SHIFT_JIS", "GB18030"); none for any other.
std::optional<LegacyEncoding> LegacyEncodingOf(std::string_view name);

// Decides which encoding the 8-bit texts of one source (a file's tag texts, the lines of a
// list, the names along a path) are in, from all of them together: one tagger on one system
// wrote them all. Each candidate decodes every text; a text that is no clean sequence of a
// candidate counts heavily against it, and the decoded characters are scored by how likely
// they are in the candidate's language (kana and common kanji for Japanese, the common hanzi
// of each Chinese script, hangul syllables, the letter frequencies of Russian, Greek and the
// Latin languages). UTF-8 may be any of these languages. Short texts thus follow the longer
// ones of the same source. The preferred encoding gets a small lead, so it wins whenever the
// candidates score alike. The work is linear in the bytes looked at, which are capped.
class CLegacyDetector {
public:
    // Bytes of all texts together that the decision looks at; the rest is decoded as chosen.
    static constexpr size_t MaxDetectedBytes = 64 * 1024;

    struct Decision {
        LegacyEncoding Encoding = LegacyEncoding::Cp1252;
        // Log-likelihood of each candidate (lower is less likely), for the curious.
        std::array<double, LegacyEncodingCount> Scores{};
    };

    // Texts that hold only ASCII bytes say nothing and may be left out. With no text holding a
    // byte of 0x80 or more, the answer is the preferred encoding.
    static Decision Detect(std::span<const std::string_view> texts, LegacyEncoding preferred);

    // The text decoded from the encoding into UTF-8: false when it is no clean sequence of it
    // (an invalid or unassigned sequence, or a user-defined character). A double-byte
    // character cut off at the end of a text of 30 bytes or more (a full fixed-width field) is
    // dropped rather than failing the text.
    static bool Decode(std::string_view text, LegacyEncoding encoding, std::string& out);
};

} // namespace torvane
