#pragma once

#include <string>

namespace torvane {

// One tag set: the standard set (ID3v1, Ogg Vorbis, Windows Media, FLAC, Opus, MP4) or the
// extended set (ID3v2, RIFF INFO, the text chunks and ID3 chunk of AIFF).
struct TagSet {
    std::string Title;
    std::string Artist;
    std::string Album;
    std::string Comment;
    std::string Year;
    std::string TrackNum;
    std::string Genre;
};

} // namespace torvane
