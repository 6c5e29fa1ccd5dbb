#pragma once

#include "texts/MessageTexts.h"

namespace torvane::cli {

// Whether this run speaks Japanese: under a Japanese locale (LC_ALL, LC_MESSAGES, LANG) it does,
// otherwise it speaks English. Decided once per run.
inline bool SpeaksJapanese() {
    static const bool japanese = JapaneseLocale();
    return japanese;
}

// The text of this run's language.
inline const char* Say(const char* english, const char* japanese) {
    return SpeaksJapanese() ? japanese : english;
}

// A message of the program in this run's language, and the caption of its kind.
inline std::string MessageText(const CMessage& message) {
    return SpeaksJapanese() ? JapaneseText(message) : EnglishText(message);
}
inline std::string CaptionText(MessageKind kind) {
    const char* caption = CaptionSource(kind);
    return SpeaksJapanese() ? caption : std::string(EnglishFor(caption));
}

} // namespace torvane::cli
