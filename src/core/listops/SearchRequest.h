#pragma once

#include "core/base/AsciiText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

enum class SearchSource { AllList, SearchList };

// The text a search looks at; the numbers are the search bar's and the dialogs' list indexes.
enum class SearchTarget : int { Path, FileName, Title, Artist, Album, Comment };

// Whether every term must be found in the text, or none may be.
enum class TermCondition : int { Contains, Excludes };

// Which files pass the existence test.
enum class FileExistence : int { All, Exists, Missing };

// An inclusive bound of an extended condition.
enum class Bound : int { AtLeast, AtMost };

// The parameters of one search (and of the folder search of "フォルダから追加"). A request starts
// with no conditions: contains, all files, the path as target; the caller fills it.
struct SearchRequest {
    static constexpr size_t MaxTerms = 10;

    SearchSource source = SearchSource::AllList;
    std::string text;               // the search text, lower case for the letters A to Z
    std::vector<std::string> terms; // its blank-separated parts, at most MaxTerms
    std::string extension;          // lower case, no dot
    TermCondition exclude = TermCondition::Contains;
    FileExistence existence = FileExistence::All;
    int32_t bitRate = 0;      // kbit/s
    int32_t samplingRate = 0; // Hz
    int32_t sizeKB = 0;       // 1024 bytes (1000 in the folder search)
    int32_t timeSec = 0;
    Bound bitRateAtMost = Bound::AtLeast;
    SearchTarget target = SearchTarget::Path;
    Bound samplingRateAtMost = Bound::AtLeast;
    Bound sizeAtMost = Bound::AtLeast;
    Bound timeAtMost = Bound::AtLeast;
    bool useBitRate = false;
    bool useExtension = false;
    bool useSamplingRate = false;
    bool useSize = false;
    bool useTime = false;
};

// Stores the text with its letters A to Z lower-cased and cuts it into terms at blanks (0x20
// only), so that every caller matches without regard to case. Each run of blanks is one
// separator, so a blank at either end gives an empty term there and an empty text one empty
// term. Parts after the tenth are ignored.
void SplitSearchTerms(SearchRequest& request, std::string_view text);

// Contains: whether every term occurs in the text; Excludes: whether none does. The text is
// compared with its letters A to Z lower-cased; a term is found only where a UTF-8 character
// starts. The empty term occurs in every text. At most the first ten terms count.
bool MatchTerms(std::string_view text, const std::vector<std::string>& terms,
                TermCondition condition);

} // namespace torvane
