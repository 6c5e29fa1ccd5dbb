#include "core/playlist/M3uFormat.h"

namespace torvane {

std::string BuildM3u(const std::vector<PlaylistEntry>& entries, bool extended) {
    std::string text(M3uHeader(extended));
    for (const PlaylistEntry& entry : entries)
        AppendM3uEntry(text, entry, extended);
    return text;
}

std::string_view M3uHeader(bool extended) {
    return extended ? "#EXTM3U\r\n" : "";
}

void AppendM3uEntry(std::string& text, const PlaylistEntry& entry, bool extended) {
    if (extended)
        text += "#EXTINF:" + std::to_string(entry.Seconds) + "," + DisplayTitle(entry) + "\r\n";
    text += entry.Location + "\r\n";
}

} // namespace torvane
