#include "core/media/Id3v2Tag.h"

#include "core/base/ByteReader.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace torvane {
namespace {

// Bytes of one wanted frame that are read: far more than any kept text needs.
constexpr size_t MaxFrameBytes = 64 * 1024;
// An unsynchronised tag is read whole before its frames are walked; beyond this it is cut.
constexpr size_t MaxUnsynchronisedTagBytes = 16 * 1024 * 1024;
constexpr size_t MaxTextBytes = AudioInfo::MaxId3TextBytes;
constexpr size_t MaxTrackBytes = AudioInfo::MaxId3TrackBytes;
// Frames of one tag walked at most: real tags hold a few dozen.
constexpr int MaxFrames = 4096;

// A frame read into a field of the result, and how many bytes of text the field keeps.
struct FrameTarget {
    std::string_view Id;
    std::string TagSet::*Field;
    size_t MaxBytes;
};

constexpr FrameTarget Targets[] = {
    {"TIT2", &TagSet::Title, MaxTextBytes},     {"TT2", &TagSet::Title, MaxTextBytes},
    {"TPE1", &TagSet::Artist, MaxTextBytes},    {"TP1", &TagSet::Artist, MaxTextBytes},
    {"TALB", &TagSet::Album, MaxTextBytes},     {"TAL", &TagSet::Album, MaxTextBytes},
    {"COMM", &TagSet::Comment, MaxTextBytes},   {"COM", &TagSet::Comment, MaxTextBytes},
    {"TRCK", &TagSet::TrackNum, MaxTrackBytes}, {"TRK", &TagSet::TrackNum, MaxTrackBytes},
    {"TYER", &TagSet::Year, MaxTextBytes},      {"TDRC", &TagSet::Year, MaxTextBytes},
    {"TYE", &TagSet::Year, MaxTextBytes},       {"TCON", &TagSet::Genre, MaxTextBytes},
    {"TCO", &TagSet::Genre, MaxTextBytes},
};

const FrameTarget* TargetOf(std::string_view id) {
    for (const auto& target : Targets)
        if (target.Id == id)
            return &target;
    return nullptr;
}

// Four 7-bit groups, most significant first.
uint32_t DecodeSynchsafe(uint32_t value) {
    return ((value >> 24) & 0x7F) << 21 | ((value >> 16) & 0x7F) << 14 |
           ((value >> 8) & 0x7F) << 7 | (value & 0x7F);
}

bool IsFrameId(std::string_view id) {
    return std::all_of(id.begin(), id.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// Every 0xFF 0x00 pair written to break false sync patterns becomes 0xFF again, in place;
// answers how many bytes are left.
size_t RemoveUnsynchronisation(std::span<uint8_t> bytes) {
    size_t kept = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[kept++] = bytes[i];
        if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0)
            ++i;
    }
    return kept;
}

// Encoding bytes other than 1 UTF-16 with a byte-order mark, 2 UTF-16BE and 3 UTF-8 mark
// single-byte legacy text, which is decoded with the file's other 8-bit texts.
bool IsLegacy(uint8_t encoding) {
    return encoding < 1 || encoding > 3;
}

// A text that is not legacy text, by the frame's encoding byte. Only the first of several
// zero-separated values counts.
std::string DecodeText(uint8_t encoding, std::span<const uint8_t> bytes) {
    switch (encoding) {
    case 1:
        return CTextCodec::FromUtf16(bytes, false);
    case 2:
        return CTextCodec::FromUtf16(bytes, true);
    default:
        return CTextCodec::SanitizeUtf8(CTextCodec::UpToZero(AsText(bytes)));
    }
}

bool IsEmptyText(uint8_t encoding, std::span<const uint8_t> bytes) {
    return IsLegacy(encoding) ? CTextCodec::UpToZero(AsText(bytes)).empty()
                              : DecodeText(encoding, bytes).empty();
}

// Where the text after a zero-terminated string begins: after one zero byte, or after a zero
// unit of two bytes for the UTF-16 encodings.
std::optional<size_t> AfterTerminator(uint8_t encoding, std::span<const uint8_t> bytes) {
    const bool wide = encoding == 1 || encoding == 2;
    const size_t step = wide ? 2 : 1;
    for (size_t i = 0; bytes.size() - i >= step; i += step)
        if (bytes[i] == 0 && (!wide || bytes[i + 1] == 0))
            return i + step;
    return std::nullopt;
}

class CFrameWalker {
public:
    CFrameWalker(const Id3v2Header& header, CLegacyTexts& legacy, TagSet& tags)
        : m_Header(header), m_Legacy(legacy), m_Tags(tags) {}

    // Frames between begin and end of source.
    void Walk(const CByteSource& source, uint64_t begin, uint64_t end);
    // Where the frames start: after the extended header when there is one.
    uint64_t FramesStart(const CByteSource& source, uint64_t begin, uint64_t end) const;

private:
    std::optional<std::span<const uint8_t>> FrameData(std::span<uint8_t> content,
                                                      uint16_t flags) const;
    void Take(const FrameTarget& target, std::span<const uint8_t> data);
    void TakeComment(std::span<const uint8_t> data);
    void Store(std::string& field, uint8_t encoding, std::span<const uint8_t> bytes,
               size_t maxBytes);

    const Id3v2Header& m_Header;
    CLegacyTexts& m_Legacy;
    TagSet& m_Tags;
    bool m_CommentWithoutDescription = false;
};

uint64_t CFrameWalker::FramesStart(const CByteSource& source, uint64_t begin, uint64_t end) const {
    if (!m_Header.HasExtendedHeader())
        return begin;
    const auto bytes = source.Read(begin, 4);
    CByteReader reader(bytes);
    const uint32_t size = reader.U32BE();
    if (!reader.Ok())
        return end;
    // Version 3 counts the bytes after the size; version 4 counts the whole extended header.
    const uint64_t length = m_Header.Major == 3 ? uint64_t{4} + size : DecodeSynchsafe(size);
    return length > end - begin ? end : begin + length;
}

void CFrameWalker::Walk(const CByteSource& source, uint64_t begin, uint64_t end) {
    const bool threeLetterIds = m_Header.Major == 2;
    const size_t headerSize = threeLetterIds ? 6 : 10;
    uint64_t pos = begin;
    for (int i = 0; i < MaxFrames && pos < end && end - pos >= headerSize; ++i) {
        const auto headerBytes = source.Read(pos, headerSize);
        CByteReader reader(headerBytes);
        const std::string_view id = reader.Text(threeLetterIds ? 3 : 4);
        uint32_t size = 0;
        uint16_t flags = 0;
        if (threeLetterIds) {
            size = reader.U24BE();
        } else {
            size = reader.U32BE();
            // Version 4 sizes are synchsafe; some writers used plain numbers, which show a
            // byte with its top bit set.
            if (m_Header.Major == 4 && (size & 0x80808080u) == 0)
                size = DecodeSynchsafe(size);
            flags = reader.U16BE();
        }
        // Padding, or bytes that are no frame: the frames end here.
        if (!reader.Ok() || !IsFrameId(id))
            return;
        pos += headerSize;
        if (size > end - pos)
            return;
        const FrameTarget* target = TargetOf(id);
        if (target && size > 0) {
            const size_t wanted = std::min<size_t>(size, MaxFrameBytes);
            auto content = source.Read(pos, wanted);
            if (content.size() != wanted)
                return; // the file ends (or a read failed) inside the frame
            if (const auto data = FrameData(content, flags))
                Take(*target, *data);
        }
        pos += size;
    }
}

// The frame's content without the bytes its flags add (unsynchronisation undone in place), or
// nothing for compressed or encrypted frames, which are not read.
std::optional<std::span<const uint8_t>> CFrameWalker::FrameData(std::span<uint8_t> content,
                                                                uint16_t flags) const {
    size_t extra = 0;
    bool unsynchronised = false;
    if (m_Header.Major == 3) {
        if (flags & 0x00C0)
            return std::nullopt;
        extra = (flags & 0x0020) ? 1 : 0;
    } else if (m_Header.Major == 4) {
        if (flags & 0x000C)
            return std::nullopt;
        extra = ((flags & 0x0040) ? 1 : 0) + ((flags & 0x0001) ? 4 : 0);
        unsynchronised = m_Header.Unsynchronised() || (flags & 0x0002) != 0;
    }
    if (extra > content.size())
        return std::nullopt;
    content = content.subspan(extra);
    if (unsynchronised)
        content = content.first(RemoveUnsynchronisation(content));
    return content;
}

void CFrameWalker::Take(const FrameTarget& target, std::span<const uint8_t> data) {
    if (target.Field == &TagSet::Comment)
        return TakeComment(data);
    if (!data.empty())
        Store(m_Tags.*target.Field, data[0], data.subspan(1), target.MaxBytes);
}

// A text that is not empty replaces what field holds; legacy text is kept raw until the
// file's texts are decoded together.
void CFrameWalker::Store(std::string& field, uint8_t encoding, std::span<const uint8_t> bytes,
                         size_t maxBytes) {
    if (IsLegacy(encoding)) {
        const std::string_view raw = CTextCodec::UpToZero(AsText(bytes));
        if (!raw.empty())
            m_Legacy.Keep(field, raw, maxBytes);
        return;
    }
    const std::string text = DecodeText(encoding, bytes);
    if (text.empty())
        return;
    m_Legacy.Drop(field);
    field = CTextCodec::CutUtf8(text, maxBytes);
}

// Encoding, a three-letter language, a zero-terminated description, then the text. A comment
// with a description (often data a program stored for itself) does not replace one without.
void CFrameWalker::TakeComment(std::span<const uint8_t> data) {
    if (data.size() < 4)
        return;
    const uint8_t encoding = data[0];
    const auto rest = data.subspan(4);
    const auto textStart = AfterTerminator(encoding, rest);
    if (!textStart)
        return;
    const bool withoutDescription = IsEmptyText(encoding, rest.first(*textStart));
    const auto text = rest.subspan(*textStart);
    if (IsEmptyText(encoding, text) || (m_CommentWithoutDescription && !withoutDescription))
        return;
    Store(m_Tags.Comment, encoding, text, MaxTextBytes);
    m_CommentWithoutDescription = m_CommentWithoutDescription || withoutDescription;
}

} // namespace

std::optional<Id3v2Header> Id3v2Header::Parse(std::span<const uint8_t> bytes) {
    CByteReader reader(bytes);
    if (!reader.Peek("ID3"))
        return std::nullopt;
    reader.Skip(3);
    Id3v2Header header;
    header.Major = reader.U8();
    reader.Skip(1); // revision
    header.Flags = reader.U8();
    header.Size = DecodeSynchsafe(reader.U32BE());
    if (!reader.Ok())
        return std::nullopt;
    return header;
}

void ReadId3v2Frames(const CByteSource& source, const Id3v2Header& header, CLegacyTexts& legacy,
                     TagSet& tags) {
    // Versions 2 to 4 only; a version 2 tag with its compression flag cannot be read.
    if (header.Major < 2 || header.Major > 4 || (header.Major == 2 && (header.Flags & 0x40)))
        return;
    const uint64_t begin = Id3v2Header::HeaderSize;
    const uint64_t end = std::min<uint64_t>(begin + header.Size, source.Size());
    if (end <= begin)
        return;
    CFrameWalker walker(header, legacy, tags);
    // Before version 4 the whole tag is unsynchronised, frame headers and sizes included.
    if (header.Unsynchronised() && header.Major < 4) {
        auto raw = source.Read(
            begin, static_cast<size_t>(std::min<uint64_t>(end - begin, MaxUnsynchronisedTagBytes)));
        const std::span<const uint8_t> body =
            std::span<uint8_t>(raw).first(RemoveUnsynchronisation(raw));
        const CMemorySource memory(body);
        walker.Walk(memory, walker.FramesStart(memory, 0, body.size()), body.size());
        return;
    }
    walker.Walk(source, walker.FramesStart(source, begin, end), end);
}

bool ReadEmbeddedId3v2(const CByteSource& source, uint64_t offset, uint64_t size,
                       CLegacyTexts& legacy, TagSet& tags) {
    const CSliceSource chunk(source, offset, size);
    const auto header = Id3v2Header::Parse(chunk.Read(0, Id3v2Header::HeaderSize));
    if (!header)
        return false;
    ReadId3v2Frames(chunk, *header, legacy, tags);
    return true;
}

} // namespace torvane
