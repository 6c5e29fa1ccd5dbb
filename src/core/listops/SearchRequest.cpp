#include "core/listops/SearchRequest.h"

#include <algorithm>

namespace torvane {
namespace {

bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

bool Contains(std::string_view text, std::string_view term) {
    for (size_t at = text.find(term); at != std::string_view::npos; at = text.find(term, at + 1))
        if (at == text.size() || StartsCharacter(text[at]))
            return true;
    return false;
}

} // namespace

void SplitSearchTerms(SearchRequest& request, std::string_view text) {
    request.text = LowerAscii(text);
    request.terms.clear();
    const std::string_view lower = request.text;
    size_t start = 0;
    while (request.terms.size() < SearchRequest::MaxTerms) {
        const size_t blank = lower.find(' ', start);
        request.terms.emplace_back(lower.substr(start, blank - start));
        if (blank == std::string_view::npos)
            break;
        start = lower.find_first_not_of(' ', blank);
        if (start == std::string_view::npos)
            start = lower.size();
    }
}

bool MatchTerms(std::string_view text, const std::vector<std::string>& terms,
                TermCondition condition) {
    const std::string lower = LowerAscii(text);
    const size_t count = std::min(terms.size(), SearchRequest::MaxTerms);
    for (size_t i = 0; i < count; ++i) {
        if (Contains(lower, terms[i]) == (condition == TermCondition::Excludes))
            return false;
    }
    return true;
}

} // namespace torvane
