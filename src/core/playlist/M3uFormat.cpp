#include "core/playlist/M3uFormat.h"

namespace torvane {

std::string BuildM3u(const std::vector<PlaylistEntry>& entries, bool extended) {
    std::string text = extended ? "#EXTM3U\r\n" : "";
    for (const PlaylistEntry& entry : entries) {
        if (extended)
            text += "#EXTINF:" + std::to_string(entry.Seconds) + "," + DisplayTitle(entry) + "\r\n";
        text += entry.Location + "\r\n";
    }
    return text;
}

} // namespace torvane
