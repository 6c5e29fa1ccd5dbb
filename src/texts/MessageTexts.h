#pragma once

#include "core/doc/Message.h"
#include "texts/EnglishCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// The Japanese text of a message with a placeholder %1, %2... for each argument: what
// torvane-cli prints and the source the window looks up in its catalogue. Null for an id
// without a text.
const char* MessageSource(MessageId id);

// The caption of a box of this kind: "error", "確認", the program's name, or none.
const char* CaptionSource(MessageKind kind);

// How many names a list argument shows before "...".
inline constexpr size_t ShownNames = 10;

// The arguments as they are shown: a path through DisplayPath with the message's code page, a
// number in decimal, names one per line (the first ShownNames, then "...").
std::vector<std::string> ShownArguments(const CMessage& message);

// The text with each placeholder %1 to %9 replaced by its argument, in one pass, so that an
// argument holding "%2" stays as it is. A placeholder without an argument stays.
std::string FillArguments(std::string_view pattern, const std::vector<std::string>& arguments);

// The message in Japanese with its arguments.
std::string JapaneseText(const CMessage& message);

// The message in English with its arguments, from the window's English catalogue.
std::string EnglishText(const CMessage& message);

// Whether a command-line program speaks Japanese under this locale: the first of LC_ALL,
// LC_MESSAGES and LANG that is set names a Japanese one ("ja", "ja_JP.UTF-8"...). Null or empty
// values count as not set.
bool JapaneseLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment.
bool JapaneseLocale();

} // namespace torvane
