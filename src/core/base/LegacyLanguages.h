#pragma once

#include <span>
#include <string_view>

namespace torvane::legacy {

// The characters that carry most of the text of each language, as the legacy text detector
// scores them. Compiled in: a few hundred of the most common ideographs or syllables of each
// script, and letter frequencies of the alphabetic languages.

// Common kanji of Japanese, the common hanzi of Simplified and of Traditional Chinese, and the
// common hangul syllables of Korean.
extern const std::u32string_view CommonKanji;
extern const std::u32string_view CommonSimplifiedHanzi;
extern const std::u32string_view CommonTraditionalHanzi;
extern const std::u32string_view CommonHangul;

// A letter and its share (in per mille) among the non-ASCII letters of a language's text.
// Capitals are listed where they matter (a title in capitals, the first letter of a name).
struct LetterShare {
    char32_t Letter;
    float PerMille;
};
extern const std::span<const LetterShare> RussianLetters;
extern const std::span<const LetterShare> GreekLetters;
extern const std::span<const LetterShare> WesternLetters; // French, German, Spanish, Nordic ...
extern const std::span<const LetterShare> CentralLetters; // Polish, Czech, Hungarian ...

} // namespace torvane::legacy
