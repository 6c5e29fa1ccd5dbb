#include "core/playlist/PlsFormat.h"

#include "core/base/EntryText.h"
#include "core/base/Paths.h"
#include "core/base/TextLines.h"

#include <algorithm>
#include <charconv>

namespace torvane {

std::string BuildPls(const std::vector<PlaylistEntry>& entries) {
    std::string text(PlsHeader());
    for (size_t i = 0; i < entries.size(); ++i)
        AppendPlsEntry(text, i + 1, entries[i]);
    text += PlsFooter(entries.size());
    return text;
}

std::string_view PlsHeader() {
    return "[playlist]\r\n";
}

void AppendPlsEntry(std::string& text, size_t number, const PlaylistEntry& entry) {
    const std::string n = std::to_string(number);
    text += "File" + n + "=" + entry.Location + "\r\n";
    text += "Title" + n + "=" + DisplayTitle(entry) + "\r\n";
    text += "Length" + n + "=" + std::to_string(entry.Seconds) + "\r\n";
}

std::string PlsFooter(size_t count) {
    return "NumberOfEntries=" + std::to_string(count) + "\r\nVersion=2\r\n";
}

std::vector<std::string> ParsePlsFiles(std::string_view text) {
    constexpr std::string_view Key = "file";
    std::vector<std::pair<unsigned long, std::string>> files;
    CTextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        if (key.size() <= Key.size() || !EqualsIgnoringAsciiCase(key.substr(0, Key.size()), Key))
            continue;
        const std::string_view digits = std::string_view(key).substr(Key.size());
        unsigned long number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc() || end != digits.data() + digits.size())
            continue;
        files.emplace_back(number, std::string(line.substr(equals + 1)));
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> values;
    values.reserve(files.size());
    for (auto& file : files)
        values.push_back(std::move(file.second));
    return values;
}

} // namespace torvane
