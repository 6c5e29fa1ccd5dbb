#pragma once

#include <optional>
#include <string>

namespace torvane {

// Asks GStreamer, which plays for the window's player, whether a file can be played: first
// whether the elements the player's pipeline is built from are installed (without them Qt's
// player crashes as it is created), then whether a demuxer and a decoder for the file's content
// are (without them it stays silent). Qt's player is never created for a file that fails.
class CPlayableCheck {
public:
    // What is missing to play the file at path, one item per line ("uridecodebin
    // (gstreamer1.0-plugins-base)", "Windows Media Audio 8 decoder"); empty when nothing is, and
    // when the file cannot be examined at all (a missing file is the player's own business).
    std::string MissingToPlay(const std::string& path);

private:
    // The pipeline's missing elements, asked once per run.
    std::optional<std::string> m_MissingElements;
};

} // namespace torvane
