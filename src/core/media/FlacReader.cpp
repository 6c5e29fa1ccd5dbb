#include "core/media/FlacReader.h"

#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/media/Id3v2Tag.h"
#include "core/media/OggPacketReader.h"
#include "core/media/OggPage.h"
#include "core/media/VorbisComments.h"

#include <algorithm>

namespace torvane {
namespace {

// ID3v2 tags in front of the stream skipped at most; metadata blocks walked at most.
constexpr int MaxLeadingTags = 16;
constexpr int MaxBlocks = 1024;
constexpr uint8_t StreamInfoBlock = 0;
constexpr uint8_t CommentBlock = 4;
constexpr uint64_t StreamInfoSize = 34;

// Reads a range of the source front to back, with the calls the comment list reader makes.
class CRangeStream {
public:
    CRangeStream(const CByteSource& source, uint64_t begin, uint64_t end)
        : m_Source(source), m_Pos(begin), m_End(end) {}

    bool Read(uint64_t count, std::string& out) {
        if (count > m_End - m_Pos)
            return false;
        const auto bytes = m_Source.Read(m_Pos, static_cast<size_t>(count));
        out.append(AsText(bytes));
        m_Pos += count;
        return bytes.size() == count;
    }
    bool Skip(uint64_t count) {
        if (count > m_End - m_Pos)
            return false;
        m_Pos += count;
        return true;
    }
    bool U32LE(uint32_t& value) {
        std::string bytes;
        if (!Read(4, bytes))
            return false;
        value = CByteReader({reinterpret_cast<const uint8_t*>(bytes.data()), 4}).U32LE();
        return true;
    }

private:
    const CByteSource& m_Source;
    uint64_t m_Pos;
    uint64_t m_End;
};

// Where the stream begins: after every ID3v2 tag a tagger put in front of it.
uint64_t SkipLeadingTags(const CByteSource& source) {
    uint64_t pos = 0;
    for (int i = 0; i < MaxLeadingTags; ++i) {
        const auto tag = Id3v2Header::Parse(source.Read(pos, Id3v2Header::HeaderSize));
        if (!tag)
            break;
        const uint64_t length =
            Id3v2Header::HeaderSize * (tag->HasFooter() ? 2 : 1) + uint64_t{tag->Size};
        if (length >= source.Size() - pos)
            return source.Size();
        pos += length;
    }
    return pos;
}

struct StreamInfo {
    uint32_t SampleRate = 0;
    uint64_t TotalSamples = 0;
};

// Block sizes and frame sizes (10 bytes), then 20 bits of sampling rate, 3 of channels, 5 of
// bits per sample and 36 of total samples.
StreamInfo ParseStreamInfo(std::span<const uint8_t> bytes) {
    CByteReader reader(bytes);
    reader.Skip(10);
    const uint64_t packed = uint64_t{reader.U32BE()} << 32 | reader.U32BE();
    if (!reader.Ok())
        return {};
    StreamInfo info;
    info.SampleRate = static_cast<uint32_t>(packed >> 44);
    info.TotalSamples = packed & 0xFFFFFFFFFull;
    return info;
}

// The stream facts and the tags the record shows.
void Fill(const StreamInfo& stream, uint64_t audioBytes, const VorbisComments* comments,
          AudioInfo& info) {
    info.SamplingRate = static_cast<int32_t>(stream.SampleRate);
    info.PlayTime = SecondsOf(stream.TotalSamples, stream.SampleRate);
    info.BitRate = AverageKbit(audioBytes, stream.TotalSamples, stream.SampleRate);
    if (comments) {
        info.Std = comments->ToTagSet();
        info.TagSets = AudioInfo::StandardSet;
    }
}

// FLAC in Ogg: the first packet is 0x7F "FLAC", the mapping version, the count of header
// packets, "fLaC" and the STREAMINFO block; each later header packet is one metadata block,
// the first of them the comment block. The last granule position counts the samples.
bool ReadOggFlac(const CCachedSource& source, AudioInfo& info) {
    OggPage first;
    if (!ReadOggPage(source, 0, first))
        return false;
    const auto head = source.Read(first.BodyOffset(), 13 + 4 + StreamInfoSize);
    CByteReader reader(head);
    if (!reader.Peek("\x7F"
                     "FLAC"))
        return false;
    reader.Skip(7); // signature, mapping version
    const uint16_t headerPackets = reader.U16BE();
    reader.Skip(4 + 4); // "fLaC", the block's header
    StreamInfo stream = ParseStreamInfo(reader.Bytes(StreamInfoSize));
    info.Type = "Ogg FLAC";

    OggPage second;
    VorbisComments comments;
    bool haveComments = false;
    uint64_t audioStart = first.End();
    if (ReadOggPage(source, first.End(), second) && second.Serial == first.Serial) {
        COggPacketReader packet(source, second);
        std::string header;
        haveComments = packet.Read(4, header) && (header[0] & 0x7F) == CommentBlock &&
                       ReadVorbisCommentList(packet, comments);
        // Every header packet begins on a page of its own; the audio follows the last one.
        // The pages of all of them are followed 65536 at most.
        OggPage page = second;
        uint32_t pages = 1u << 16;
        for (uint16_t i = 0; i < std::max<uint16_t>(headerPackets, 1) && pages > 0; ++i) {
            audioStart = PacketPagesEnd(source, page, &pages);
            if (!ReadOggPage(source, audioStart, page) || page.Serial != first.Serial)
                break;
        }
        audioStart = std::min(audioStart, source.Size());
    }
    if (const auto granule = FindLastGranule(source, first.Serial);
        granule && static_cast<int64_t>(*granule) > 0)
        stream.TotalSamples = *granule;
    Fill(stream, source.Size() - audioStart, haveComments ? &comments : nullptr, info);
    return true;
}

} // namespace

bool CFlacReader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    const CCachedSource source(file);
    if (CByteReader(source.Read(0, 4)).Peek("OggS"))
        return ReadOggFlac(source, info);
    const uint64_t size = source.Size();
    uint64_t pos = SkipLeadingTags(source);
    if (!CByteReader(source.Read(pos, 4)).Peek("fLaC"))
        return false;
    pos += 4;
    info.Type = "FLAC";

    StreamInfo stream;
    VorbisComments comments;
    bool haveComments = false;
    for (int i = 0; i < MaxBlocks && size - pos >= 4; ++i) {
        const auto headerBytes = source.Read(pos, 4);
        CByteReader header(headerBytes);
        const uint8_t kind = header.U8();
        const uint32_t length = header.U24BE();
        if (!header.Ok())
            break; // the read came up short
        pos += 4;
        const uint64_t end = pos + std::min<uint64_t>(length, size - pos);
        const uint8_t type = kind & 0x7F;
        if (type == StreamInfoBlock && length >= StreamInfoSize && stream.SampleRate == 0) {
            stream = ParseStreamInfo(source.Read(pos, StreamInfoSize));
        } else if (type == CommentBlock && !haveComments) {
            CRangeStream block(source, pos, end);
            haveComments = ReadVorbisCommentList(block, comments);
        }
        pos = end;
        if (kind & 0x80)
            break;
    }

    Fill(stream, size - pos, haveComments ? &comments : nullptr, info);
    return true;
}

} // namespace torvane
