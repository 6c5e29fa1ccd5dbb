#include "core/base/EntryText.h"

namespace torvane {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view EntryText(std::string_view text) {
    std::string_view entry = TrimBlanks(text);
    if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
        entry = entry.substr(1, entry.size() - 2);
    return entry;
}

} // namespace torvane
