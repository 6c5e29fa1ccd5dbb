#pragma once

#include "core/base/AsciiText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

enum class SearchSource { AllList, SearchList };

// The parameters of one search (and of the folder search of "フォルダから追加"). A request starts
// with no conditions: contains, all files, target 0; the caller fills it.
struct SearchRequest {
    static constexpr size_t MaxTerms = 10;

    SearchSource source = SearchSource::AllList;
    std::string text;               // the search text, lower case for the letters A to Z
    std::vector<std::string> terms; // its blank-separated parts, at most MaxTerms
    std::string extension;          // lower case, no dot
    int exclude = 0;                // 0 every term must be found, 1 none may be
    int existence = 0;              // 0 all, 1 the file exists, 2 it does not
    int32_t bitRate = 0;            // kbit/s
    int32_t samplingRate = 0;       // Hz
    int32_t sizeKB = 0;             // 1024 bytes (1000 in the folder search)
    int32_t timeSec = 0;
    int bitRateAtMost = 0; // 0 at least, 1 at most; the same for the three below
    int target = 0;        // 0 path, 1 file name, 2 title, 3 artist, 4 album, 5 comment
    int samplingRateAtMost = 0;
    int sizeAtMost = 0;
    int timeAtMost = 0;
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

// exclude 0: whether every term occurs in the text; exclude 1: whether none does. The text is
// compared with its letters A to Z lower-cased; a term is found only where a UTF-8 character
// starts. The empty term occurs in every text. At most the first ten terms count.
bool MatchTerms(std::string_view text, const std::vector<std::string>& terms, int exclude);

} // namespace torvane
