#include "OggReader.h"

#include "AsciiText.h"
#include "ByteReader.h"
#include "CachedSource.h"
#include "FileSource.h"
#include "OggPacketReader.h"
#include "OggPage.h"
#include "TextCodec.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

namespace torvane {
namespace {

// The last page is looked for in the last FirstTailWindow bytes, then in windows four times
// larger up to MaxTailWindow; past that the pages are walked from the start.
constexpr uint64_t FirstTailWindow = 8 * 1024;
constexpr uint64_t MaxTailWindow = 1024 * 1024;
// A comment longer than this is read only this far: enough for its key and the kept value.
constexpr uint64_t MaxCommentBytes = 4096;
constexpr size_t MaxValueBytes = 255;

// The identification header: packet type 1, "vorbis", version, channels, sampling rate and
// the three bit rates, block sizes and framing.
bool ReadIdHeader(const CByteSource& source, const OggPage& page, OggInfo& info) {
    const auto bytes = source.Read(page.BodyOffset(), 30);
    CByteReader reader(bytes);
    if (!reader.Peek("\x01vorbis"))
        return false;
    reader.Skip(7);
    reader.U32LE(); // version
    reader.U8();    // channels
    const uint32_t rate = reader.U32LE();
    reader.U32LE(); // maximum bit rate
    const uint32_t nominal = reader.U32LE();
    if (!reader.Ok())
        return false;
    info.SamplingRate = static_cast<int32_t>(rate);
    info.NominalBitrate = static_cast<int32_t>(nominal);
    return true;
}

// The comments the record shows. Keys are compared in upper case; the last one wins.
struct Comments {
    std::string Title, Artist, Album, Comment, TrackNumber;

    void Store(std::string_view text) {
        const size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return; // the empty key: never looked up
        std::string* field = Field(UpperAscii(text.substr(0, equals)));
        if (field)
            *field = CTextCodec::CutUtf8(CTextCodec::SanitizeUtf8(text.substr(equals + 1)),
                                         MaxValueBytes);
    }

private:
    std::string* Field(const std::string& key) {
        if (key == "TITLE")
            return &Title;
        if (key == "ARTIST")
            return &Artist;
        if (key == "ALBUM")
            return &Album;
        if (key == "COMMENT")
            return &Comment;
        if (key == "TRACKNUMBER")
            return &TrackNumber;
        return nullptr;
    }
};

// The comment header: packet type 3, "vorbis", the vendor text, then counted comments of
// the form KEY=value. A packet that ends early keeps the comments read whole before.
bool ReadComments(const CByteSource& source, const OggPage& page, Comments& comments) {
    COggPacketReader packet(source, page);
    std::string signature;
    uint32_t vendorLength = 0;
    if (!packet.Read(7, signature) || signature != "\x03vorbis" || !packet.U32LE(vendorLength))
        return false;
    uint32_t count = 0;
    if (!packet.Skip(vendorLength) || !packet.U32LE(count))
        return true;
    // Every comment takes at least its four length bytes, so the packet's end stops the loop.
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!packet.U32LE(length))
            break;
        const uint64_t keep = std::min<uint64_t>(length, MaxCommentBytes);
        std::string text;
        if (!packet.Read(keep, text) || !packet.Skip(length - keep))
            break;
        comments.Store(text);
    }
    return true;
}

// Walks the pages from offset by their lengths to the first page flagged as the last one and
// answers its granule position. A page body of length 0 before it, or a page that is not where
// the lengths say, ends the walk without one.
std::optional<uint64_t> WalkToLastPage(const CByteSource& source, uint64_t offset) {
    OggPage page;
    // Each step moves past a whole header and a non-empty body, so the walk ends.
    while (ReadOggPage(source, offset, page)) {
        if (page.Has(OggPage::LastPage))
            return page.Granule;
        if (page.BodyLength == 0)
            break;
        offset = page.End();
    }
    return std::nullopt;
}

// The offset of the first page of the stream in the last window bytes of the file.
std::optional<uint64_t> FindPageInTail(const CCachedSource& source, uint64_t window,
                                       uint32_t serial) {
    const uint64_t start = source.Size() - window;
    const auto bytes = source.Load(start, static_cast<size_t>(window));
    const std::string_view text = AsText(bytes);
    OggPage page;
    for (size_t at = text.find("OggS"); at != std::string_view::npos;
         at = text.find("OggS", at + 1)) {
        // The serial number makes a capture pattern that happens to stand in audio data
        // count as a page only by a chance of one in four thousand million. It also keeps
        // the search off a later stream chained to this one, whose last page the walk from
        // the start would not reach.
        if (ParseOggPage(bytes.subspan(at), start + at, page) && page.Serial == serial)
            return start + at;
    }
    return std::nullopt;
}

// The granule position of the last page, as the walk over every page from the start finds it.
// The walk is taken up at the first page of the stream found near the end of the file, so a
// long file is not read whole; when the stream has no page there, the walk starts at the
// beginning.
std::optional<uint64_t> FindLastPage(const CCachedSource& source, uint32_t serial) {
    for (uint64_t window = FirstTailWindow; window < source.Size() && window <= MaxTailWindow;
         window *= 4) {
        if (const auto page = FindPageInTail(source, window, serial))
            return WalkToLastPage(source, *page);
    }
    return WalkToLastPage(source, 0);
}

// Seconds from the last page's granule position; -1 when there is none or no rate to
// divide by.
int32_t ComputeTime(const CCachedSource& source, uint32_t serial, int32_t samplingRate) {
    const auto granule = FindLastPage(source, serial);
    if (!granule || samplingRate <= 0 || static_cast<int64_t>(*granule) < 0)
        return -1;
    const int64_t seconds = static_cast<int64_t>(*granule) / samplingRate;
    return static_cast<int32_t>(std::min<int64_t>(seconds, INT32_MAX));
}

} // namespace

bool COggReader::Read(const std::string& path, OggInfo& info) const {
    CFileSource file(path);
    if (!file.IsOpen()) {
        info = {};
        return false;
    }
    const bool ok = Read(file, info);
    info.Path = path;
    return ok;
}

bool COggReader::Read(const CByteSource& file, OggInfo& info) const {
    info = {};
    info.FileLength = static_cast<int64_t>(file.Size());
    info.Status = -1;
    const CCachedSource source(file);

    OggPage first;
    if (!ReadOggPage(source, 0, first) || first.Sequence != 0 || !ReadIdHeader(source, first, info))
        return true;
    OggPage second;
    Comments comments;
    if (!ReadOggPage(source, first.End(), second) || second.Sequence != 1 ||
        !ReadComments(source, second, comments))
        return true;
    info.Title = comments.Title;
    info.Artist = comments.Artist;
    info.Album = comments.Album;
    info.Comment = comments.Comment;
    info.TrackNumber = LeadingNumber(comments.TrackNumber);
    info.Status = 1;
    info.PlayTime = ComputeTime(source, first.Serial, info.SamplingRate);
    return true;
}

} // namespace torvane
