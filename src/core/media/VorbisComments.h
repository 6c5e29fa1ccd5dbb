#pragma once

#include "core/media/TagSet.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// The comments a record shows, from a Vorbis comment list (Ogg Vorbis, Opus, FLAC): texts of
// the form KEY=value, keys compared in upper case, the last one of a key winning. Values are
// UTF-8, invalid sequences replaced, cut to MaxValueBytes.
struct VorbisComments {
    static constexpr size_t MaxValueBytes = 255;
    // A comment longer than this is read only this far: enough for its key and the kept value.
    static constexpr uint64_t MaxCommentBytes = 4096;
    // Comments read at most: real lists hold a few dozen, and a packet may run over many pages.
    static constexpr uint32_t MaxComments = 16384;

    std::string Title, Artist, Album, Comment, TrackNumber, Genre, Date;

    void Store(std::string_view text);
    // The standard tag set of the newer formats; the track is its number, empty without one.
    TagSet ToTagSet() const;
};

// Reads the list that follows a comment packet's signature: the vendor text (skipped), the
// comment count, then each comment's length and text. Stream is anything with Read(count,
// std::string&), Skip(count) and U32LE(uint32_t&) that answer false when the data ends. False
// when not even the vendor text is there; a list that ends early keeps the comments read whole
// before.
template <class Stream> bool ReadVorbisCommentList(Stream& stream, VorbisComments& comments) {
    uint32_t vendorLength = 0;
    if (!stream.U32LE(vendorLength))
        return false;
    uint32_t count = 0;
    if (!stream.Skip(vendorLength) || !stream.U32LE(count))
        return true;
    // Every comment takes at least its four length bytes, so the data's end stops the loop.
    count = std::min(count, VorbisComments::MaxComments);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!stream.U32LE(length))
            break;
        const uint64_t keep = std::min<uint64_t>(length, VorbisComments::MaxCommentBytes);
        std::string text;
        if (!stream.Read(keep, text) || !stream.Skip(length - keep))
            break;
        comments.Store(text);
    }
    return true;
}

} // namespace torvane
