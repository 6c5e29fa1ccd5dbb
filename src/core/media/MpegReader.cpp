#include "core/media/MpegReader.h"

#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/media/Id3v2Tag.h"
#include "core/media/MpegFrame.h"
#include "core/media/RiffChunks.h"
#include "core/media/TrailingTags.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace torvane {
namespace {

constexpr uint64_t Id3v1Size = 128;
constexpr uint64_t TailBytes = Id3v1Size + TrailingMarkBytes;
constexpr size_t Id3v1FieldSize = 30;
// Bytes looked at for zero padding before the audio, per read, and in all: a file of zeros
// has no audio to find, however long it is.
constexpr size_t PaddingScanStep = 256;
constexpr uint64_t MaxPaddingBytes = 1024 * 1024;
// INFO lists of a RIFF file that are read at most.
constexpr int MaxInfoLists = 8;
// Tags or RIFF headers in front of the audio that are skipped, at most.
constexpr int MaxEmbeddedContainers = 64;
// The frame search and the VBR headers of the frame it finds.
constexpr size_t FrameRegionBytes = FrameSearchBytes + 64;

int32_t ClampToInt32(uint64_t value) {
    return static_cast<int32_t>(std::min<uint64_t>(value, std::numeric_limits<int32_t>::max()));
}

// One Read: the tags, the container and the first audio frame of one file.
class CMpegFile {
public:
    CMpegFile(const CByteSource& file, const CTextCodec& codec)
        : m_File(file), m_Source(file), m_Legacy(codec), m_Size(file.Size()) {
        // Read once, directly: the tail would otherwise push the file's start out of the cache.
        // The bytes before an ID3v1 tag come along, for the end marks of APEv2 and Lyrics3.
        // A read that comes up short (the file shrank, or a read failed) has no end to look at.
        const uint64_t tailBytes = std::min(m_Size, TailBytes);
        m_TailRead = file.Read(m_Size - tailBytes, static_cast<size_t>(tailBytes));
        const std::span<const uint8_t> read = m_TailRead;
        if (read.size() != tailBytes)
            return;
        m_BeforeTail = read;
        if (m_Size >= Id3v1Size) {
            m_Tail = read.last(Id3v1Size);
            m_BeforeTail = read.first(read.size() - Id3v1Size);
        }
    }

    AudioInfo Read();

private:
    int32_t SniffTags() const;
    void ReadId3v1();
    void ReadId3v2();
    std::optional<RiffChunk> ReadRiffChunks(bool wave);
    void ReadWaveFormat(const RiffChunk& format);
    void ReadFrameHeader(uint64_t start);
    std::optional<uint64_t> AudioStart(uint64_t start) const;
    uint64_t SkipZeros(uint64_t pos, uint64_t& budget) const;
    void SetConstantBitRateTime();

    const CByteSource& m_File;
    CCachedSource m_Source;
    // The 8-bit texts, decoded together once the file is read.
    CLegacyTexts m_Legacy;
    const uint64_t m_Size;
    CReadBytes m_TailRead;
    std::span<const uint8_t> m_Tail;       // the last 128 bytes
    std::span<const uint8_t> m_BeforeTail; // up to TrailingMarkBytes before them
    AudioInfo m_Info;
    // The bytes taken as audio for the constant-bit-rate time.
    uint64_t m_AudioBytes = 0;
};

AudioInfo CMpegFile::Read() {
    m_Info.FileLength = static_cast<int64_t>(m_Size);
    m_AudioBytes = m_Size;
    m_Info.TagFlags = SniffTags();
    if (m_Info.TagFlags & AudioInfo::TagId3v1) {
        m_AudioBytes -= Id3v1Size;
        ReadId3v1();
    }
    // APEv2 and Lyrics3 tags before the ID3v1 tag (or at the end) are no audio either. They
    // are looked for past the cache, which keeps the start of the file.
    const auto end = (m_Info.TagFlags & AudioInfo::TagId3v1) ? m_BeforeTail : m_Tail;
    if (!(m_Info.TagFlags & (AudioInfo::TagRiffMp3 | AudioInfo::TagRiffWave)) &&
        EndsWithTrailingMark(end))
        m_AudioBytes -= TrailingTagBytes(m_File, m_AudioBytes);
    if (m_Info.TagFlags & AudioInfo::TagId3v2) {
        ReadId3v2();
    } else if (m_Info.TagFlags & AudioInfo::TagRiffMp3) {
        const auto data = ReadRiffChunks(false);
        ReadFrameHeader(data ? data->Offset : RiffHeaderSize + 8);
    } else if (m_Info.TagFlags & AudioInfo::TagRiffWave) {
        if (ReadRiffChunks(true) && m_AudioBytes > 0 && m_Info.BitRate > 0)
            SetConstantBitRateTime();
    } else {
        ReadFrameHeader(0);
    }
    m_Legacy.Decode();
    FinishMpegInfo(m_Info);
    return std::move(m_Info);
}

int32_t CMpegFile::SniffTags() const {
    int32_t flags = 0;
    if (CByteReader(m_Tail).Peek("TAG"))
        flags |= AudioInfo::TagId3v1;
    const auto head = m_Source.Read(0, RiffHeaderSize);
    CByteReader reader(head);
    if (reader.Peek("ID3"))
        return flags | AudioInfo::TagId3v2;
    if (reader.Peek("RIFF") && reader.Skip(8)) {
        if (reader.Peek("RMP3"))
            flags |= AudioInfo::TagRiffMp3;
        else if (reader.Peek("WAVE"))
            flags |= AudioInfo::TagRiffWave;
    }
    return flags;
}

// A 30-byte field: trailing spaces dropped, then the text up to its first zero byte.
std::string_view Id3v1Text(std::span<const uint8_t> field) {
    std::string_view text = AsText(field);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return CTextCodec::UpToZero(text);
}

void CMpegFile::ReadId3v1() {
    CByteReader reader(m_Tail);
    reader.Skip(3); // "TAG"
    m_Legacy.Keep(m_Info.Std.Title, Id3v1Text(reader.Bytes(Id3v1FieldSize)),
                  AudioInfo::MaxId3TextBytes);
    m_Legacy.Keep(m_Info.Std.Artist, Id3v1Text(reader.Bytes(Id3v1FieldSize)),
                  AudioInfo::MaxId3TextBytes);
    m_Legacy.Keep(m_Info.Std.Album, Id3v1Text(reader.Bytes(Id3v1FieldSize)),
                  AudioInfo::MaxId3TextBytes);
    m_Legacy.Keep(m_Info.Std.Year, CTextCodec::UpToZero(reader.Text(4)),
                  AudioInfo::MaxId3TextBytes);

    const auto commentBytes = reader.Bytes(Id3v1FieldSize);
    if (commentBytes.size() != Id3v1FieldSize)
        return;
    std::array<uint8_t, Id3v1FieldSize> comment;
    std::copy(commentBytes.begin(), commentBytes.end(), comment.begin());
    // A zero in byte 28 makes byte 29 the track number; both leave the comment.
    if (comment[28] == 0) {
        if (comment[29] > 0)
            m_Info.Std.TrackNum = std::to_string(comment[29]);
        comment[28] = comment[29] = ' ';
    }
    m_Legacy.Keep(m_Info.Std.Comment, Id3v1Text(comment), AudioInfo::MaxId3TextBytes);
}

void CMpegFile::ReadId3v2() {
    const auto header = Id3v2Header::Parse(m_Source.Read(0, Id3v2Header::HeaderSize));
    if (!header)
        return;
    const uint64_t tagSize = Id3v2Header::HeaderSize + uint64_t{header->Size};
    m_AudioBytes -= std::min(m_AudioBytes, tagSize);
    // With both tags the ID3v1 tag's bytes count as audio again.
    if (m_Info.TagFlags & AudioInfo::TagId3v1)
        m_AudioBytes += Id3v1Size;
    ReadId3v2Frames(m_Source, *header, m_Legacy, m_Info.Ext);
    ReadFrameHeader(tagSize + (header->HasFooter() ? Id3v2Header::HeaderSize : 0));
}

// Walks the chunks of a RIFF file for its texts and, in a WAVE file, its format; answers the
// first "data" chunk, whose bytes are then the audio bytes. The texts of an ID3v2 tag in an
// "id3 " chunk, which many taggers write, are preferred to those of the INFO list.
std::optional<RiffChunk> CMpegFile::ReadRiffChunks(bool wave) {
    std::optional<RiffChunk> data, id3;
    bool haveFormat = false;
    int lists = 0;
    WalkRiffChunks(m_Source, RiffHeaderSize, FormEnd(m_Source, 0, false),
                   [&](const RiffChunk& chunk) {
                       if (wave && !haveFormat && chunk.Is("fmt ")) {
                           ReadWaveFormat(chunk);
                           haveFormat = true;
                       } else if (!data && chunk.Is("data")) {
                           data = chunk;
                       } else if (chunk.Is("LIST") && lists++ < MaxInfoLists) {
                           ReadRiffInfo(m_Source, chunk, m_Legacy, m_Info.Ext);
                       } else if (!id3 && (chunk.Is("id3 ") || chunk.Is("ID3 "))) {
                           id3 = chunk;
                       }
                       return true;
                   });
    if (id3)
        ReadEmbeddedId3v2(m_Source, id3->Offset, id3->Size, m_Legacy, m_Info.Ext);
    if (data)
        m_AudioBytes = data->Size + (data->Size & 1);
    return data;
}

// Format tag and channels (not used), sampling rate, average bytes per second.
void CMpegFile::ReadWaveFormat(const RiffChunk& format) {
    const auto bytes = m_Source.Read(format.Offset, std::min<uint64_t>(format.Size, 16));
    CByteReader reader(bytes);
    reader.Skip(4);
    const uint32_t samplingRate = reader.U32LE();
    const uint32_t bytesPerSecond = reader.U32LE();
    if (!reader.Ok())
        return;
    m_Info.SamplingRate = ClampToInt32(samplingRate);
    m_Info.BitRate = ClampToInt32(uint64_t{bytesPerSecond} * 8 / 1000);
}

// The time of the audio bytes at the bit rate in kbit/s: the division by the bit rate first,
// truncating at each step.
void CMpegFile::SetConstantBitRateTime() {
    const auto bitRate = static_cast<uint64_t>(m_Info.BitRate);
    m_Info.PlayTime = ClampToInt32(m_AudioBytes / bitRate * 8 / 1000);
}

// The first byte from pos on that is not zero; the end of the file when there is none, when a
// read comes up empty, or when the zeros run past what is left of budget.
uint64_t CMpegFile::SkipZeros(uint64_t pos, uint64_t& budget) const {
    while (pos < m_Size && budget > 0) {
        const auto block = m_Source.Read(pos, PaddingScanStep);
        if (block.empty())
            return m_Size;
        const auto nonZero = std::find_if(block.begin(), block.end(), [](uint8_t b) { return b; });
        if (nonZero != block.end())
            return pos + static_cast<uint64_t>(nonZero - block.begin());
        budget -= std::min<uint64_t>(budget, block.size());
        pos += block.size();
    }
    return m_Size;
}

// Where the frame search begins: after zero padding and after any ID3v2 tag or RIFF header
// that stands in front of the audio.
std::optional<uint64_t> CMpegFile::AudioStart(uint64_t start) const {
    uint64_t pos = start;
    uint64_t budget = MaxPaddingBytes;
    for (int skipped = 0; skipped < MaxEmbeddedContainers; ++skipped) {
        pos = SkipZeros(pos, budget);
        if (pos >= m_Size)
            return std::nullopt;
        const auto head = m_Source.Read(pos, RiffHeaderSize);
        if (const auto tag = Id3v2Header::Parse(head)) {
            pos += Id3v2Header::HeaderSize + tag->Size;
            continue;
        }
        if (!CByteReader(head).Peek("RIFF"))
            return pos;
        std::optional<uint64_t> data;
        const uint64_t end = FormEnd(m_Source, pos, false);
        WalkRiffChunks(m_Source, pos + RiffHeaderSize, end, [&](const RiffChunk& chunk) {
            if (chunk.Is("data"))
                data = chunk.Offset;
            return !data;
        });
        if (!data)
            return std::nullopt;
        pos = *data;
    }
    return std::nullopt;
}

// The frame count of a Xing header (when its flags say it holds one) or of a VBRI header.
std::optional<uint32_t> VbrFrameCount(std::span<const uint8_t> region, size_t frame,
                                      const MpegFrameHeader& header) {
    CByteReader xing(region);
    if (xing.Seek(frame + header.XingOffset()) && xing.Peek("Xing")) {
        xing.Skip(4);
        const uint32_t flags = xing.U32BE();
        const uint32_t frames = xing.U32BE();
        if (xing.Ok() && (flags & 1))
            return frames;
    }
    CByteReader vbri(region);
    if (vbri.Seek(frame + VbriOffset) && vbri.Peek("VBRI")) {
        vbri.Skip(14); // identifier, version, delay, quality, byte count
        const uint32_t frames = vbri.U32BE();
        if (vbri.Ok())
            return frames;
    }
    return std::nullopt;
}

void CMpegFile::ReadFrameHeader(uint64_t start) {
    const auto pos = AudioStart(start);
    if (!pos)
        return;
    const auto region = m_Source.Read(*pos, FrameRegionBytes);
    const auto found = FindFrameHeader(region);
    if (!found)
        return;
    CByteReader reader(region);
    reader.Seek(*found);
    const auto header = MpegFrameHeader::Decode(reader.U32BE());
    m_Info.BitRate = header.BitRate();
    m_Info.SamplingRate = header.SamplingRate();

    if (const auto frames = VbrFrameCount(region, *found, header)) {
        const float seconds = static_cast<float>(*frames) * header.FrameSeconds();
        m_Info.PlayTime = seconds < 2.0e9f ? static_cast<int32_t>(seconds) : 0;
        m_Info.BitRate = -1;
    } else if (m_Info.BitRate != 0) {
        SetConstantBitRateTime();
    } else {
        m_Info.SamplingRate = 0; // free format: no bit rate to time the bytes by
    }
}

} // namespace

void FinishMpegInfo(AudioInfo& info) {
    // An ID3v1 tag without a track number leaves the record's as it was.
    if (info.Std.TrackNum.empty())
        info.Kept |= AudioInfo::TrackNumKept;
    if (info.BitRate == -1)
        info.BitRateText = "(VBR)";
    const int32_t flags = info.TagFlags;
    info.TagSets = 0;
    if (flags == 0) {
        info.Type = AudioInfo::NoTagType;
        return;
    }
    info.Type.clear();
    if (flags & AudioInfo::TagId3v1) {
        info.Type = "ID3 V1";
        info.TagSets |= AudioInfo::StandardSet;
        if (flags & ~AudioInfo::TagId3v1 & 0xFF)
            info.Type += "・";
    }
    const char* extended = (flags & AudioInfo::TagRiffWave)  ? "RIFF Wave"
                           : (flags & AudioInfo::TagRiffMp3) ? "RIFF MP3"
                           : (flags & AudioInfo::TagId3v2)   ? "ID3 V2"
                                                             : nullptr;
    if (extended) {
        info.Type += extended;
        info.TagSets |= AudioInfo::ExtendedSet;
    }
}

bool CMpegReader::Read(const CByteSource& source, AudioInfo& info) const {
    info = CMpegFile(source, m_Codec).Read();
    return true;
}

} // namespace torvane
