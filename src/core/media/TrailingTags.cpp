#include "core/media/TrailingTags.h"

#include "core/base/ByteReader.h"

#include <algorithm>
#include <string_view>

namespace torvane {
namespace {

constexpr uint64_t ApeFooterSize = TrailingMarkBytes;
constexpr uint32_t ApeHasHeader = 0x80000000u;
constexpr std::string_view LyricsBegin = "LYRICSBEGIN";
// A version 1 Lyrics3 tag holds at most this many bytes before its end mark.
constexpr uint64_t MaxLyrics3v1Bytes = 5100 + 11;
// Tags stacked at the end that are looked for at most.
constexpr int MaxTrailingTags = 4;

// "APETAGEX", version, the size of items and footer, item count, flags, reserved bytes.
uint64_t ApeTagBytes(const CByteSource& source, uint64_t end) {
    if (end < ApeFooterSize)
        return 0;
    const auto bytes = source.Read(end - ApeFooterSize, ApeFooterSize);
    CByteReader footer(bytes);
    if (!footer.Peek("APETAGEX"))
        return 0;
    footer.Skip(12);
    const uint64_t size = footer.U32LE();
    footer.Skip(4); // item count
    const uint32_t flags = footer.U32LE();
    const uint64_t total = size + ((flags & ApeHasHeader) ? ApeFooterSize : 0);
    return footer.Ok() && size >= ApeFooterSize && total <= end ? total : 0;
}

bool StartsWithLyricsBegin(const CByteSource& source, uint64_t at) {
    return CByteReader(source.Read(at, LyricsBegin.size())).Peek(LyricsBegin);
}

// Version 2: the tag, six decimal digits of its size, "LYRICS200".
uint64_t Lyrics3v2Bytes(const CByteSource& source, uint64_t end) {
    if (end < 15)
        return 0;
    const auto bytes = source.Read(end - 15, 15);
    const std::string_view text = AsText(bytes);
    if (text.size() != 15 || text.substr(6) != "LYRICS200")
        return 0;
    uint64_t size = 0;
    for (const char digit : text.substr(0, 6)) {
        if (digit < '0' || digit > '9')
            return 0;
        size = size * 10 + static_cast<uint64_t>(digit - '0');
    }
    const uint64_t total = size + 15;
    return total <= end && StartsWithLyricsBegin(source, end - total) ? total : 0;
}

// Version 1: "LYRICSBEGIN", the lyrics, "LYRICSEND"; no size is stored.
uint64_t Lyrics3v1Bytes(const CByteSource& source, uint64_t end) {
    if (end < 9 || !CByteReader(source.Read(end - 9, 9)).Peek("LYRICSEND"))
        return 0;
    const uint64_t window = std::min(end, MaxLyrics3v1Bytes + 9);
    const auto bytes = source.Read(end - window, static_cast<size_t>(window));
    if (bytes.size() != window)
        return 0;
    const size_t begin = AsText(bytes).rfind(LyricsBegin);
    return begin == std::string_view::npos ? 0 : window - begin;
}

bool EndsWithMark(const CByteSource& source, uint64_t end) {
    const uint64_t length = std::min(end, TrailingMarkBytes);
    const auto bytes = source.Read(end - length, static_cast<size_t>(length));
    return bytes.size() == length && EndsWithTrailingMark(bytes);
}

} // namespace

bool EndsWithTrailingMark(std::span<const uint8_t> bytes) {
    const std::string_view text =
        AsText(bytes.last(std::min<size_t>(bytes.size(), TrailingMarkBytes)));
    return (text.size() == ApeFooterSize && text.starts_with("APETAGEX")) ||
           text.ends_with("LYRICS200") || text.ends_with("LYRICSEND");
}

uint64_t TrailingTagBytes(const CByteSource& source, uint64_t end) {
    end = std::min(end, source.Size());
    uint64_t total = 0;
    for (int i = 0; i < MaxTrailingTags && EndsWithMark(source, end - total); ++i) {
        const uint64_t at = end - total;
        uint64_t bytes = ApeTagBytes(source, at);
        if (bytes == 0)
            bytes = Lyrics3v2Bytes(source, at);
        if (bytes == 0)
            bytes = Lyrics3v1Bytes(source, at);
        if (bytes == 0)
            break;
        total += bytes;
    }
    return total;
}

} // namespace torvane
