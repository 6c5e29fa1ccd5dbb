#include "core/media/AiffReader.h"

#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/media/Id3v2Tag.h"
#include "core/media/RiffChunks.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace torvane {
namespace {

// Bytes of a text chunk that are read: far more than any kept text needs.
constexpr size_t MaxTextChunkBytes = 4096;

struct CommonChunk {
    uint16_t Channels = 0;
    uint32_t Frames = 0;
    uint16_t SampleSize = 0;
    uint32_t SampleRate = 0;
    std::string Compression = "NONE"; // AIFF-C only; plain AIFF is always uncompressed PCM
};

CommonChunk ReadCommon(const CByteSource& source, const RiffChunk& chunk, bool aifc) {
    const auto bytes = source.Read(chunk.Offset, std::min<uint64_t>(chunk.Size, 22));
    CByteReader reader(bytes);
    CommonChunk common;
    common.Channels = reader.U16BE();
    common.Frames = reader.U32BE();
    common.SampleSize = reader.U16BE();
    common.SampleRate = ExtendedToUint32(reader.Bytes(10));
    if (aifc && reader.Remaining() >= 4)
        common.Compression = std::string(reader.Text(4));
    return reader.Ok() ? common : CommonChunk{};
}

// Sample formats whose bit rate follows from the sample size; the others (compressed) are
// timed by the bytes of their sound data.
bool IsPcm(const std::string& compression) {
    for (const char* pcm : {"NONE", "twos", "sowt", "raw ", "in24", "in32", "fl32", "fl64"})
        if (compression == pcm)
            return true;
    return false;
}

} // namespace

uint32_t ExtendedToUint32(std::span<const uint8_t> bytes) {
    CByteReader reader(bytes);
    const uint16_t signAndExponent = reader.U16BE();
    const uint64_t mantissa = reader.U64BE();
    if (!reader.Ok() || (signAndExponent & 0x8000) || mantissa == 0)
        return 0;
    // The value is mantissa * 2^(exponent - 16383 - 63).
    const int shift = (signAndExponent & 0x7FFF) - 16383 - 63;
    if (shift <= -64)
        return 0;
    if (shift >= 0)
        return UINT32_MAX;
    return static_cast<uint32_t>(std::min<uint64_t>(mantissa >> -shift, UINT32_MAX));
}

bool CAiffReader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    const CCachedSource source(file);
    const auto formBytes = source.Read(0, RiffHeaderSize);
    CByteReader form(formBytes);
    if (!form.Peek("FORM") || !form.Skip(8))
        return false;
    const bool aifc = form.Peek("AIFC");
    if (!aifc && !form.Peek("AIFF"))
        return false;
    info.Type = "AIFF";

    CommonChunk common;
    uint64_t soundBytes = 0;
    // The text chunks and the ID3 tag fill one set, as RIFF INFO and ID3 do in WAVE files;
    // the tag's texts are preferred, whichever chunk comes first.
    TagSet texts;
    CLegacyTexts legacy(m_Codec);
    std::optional<RiffChunk> id3;
    const auto text = [&](std::string& field, const RiffChunk& chunk) {
        const auto bytes =
            source.Read(chunk.Offset, std::min<size_t>(chunk.Size, MaxTextChunkBytes));
        legacy.Keep(field, CTextCodec::UpToZero(AsText(bytes)), AudioInfo::MaxTextBytes);
    };
    WalkChunks(source, RiffHeaderSize, FormEnd(source, 0, true), true, [&](const RiffChunk& chunk) {
        if (chunk.Is("COMM"))
            common = ReadCommon(source, chunk, aifc);
        else if (chunk.Is("SSND"))
            soundBytes = chunk.Size - std::min<uint64_t>(chunk.Size, 8); // offset, block size
        else if (chunk.Is("NAME"))
            text(texts.Title, chunk);
        else if (chunk.Is("AUTH"))
            text(texts.Artist, chunk);
        else if (chunk.Is("ANNO") && texts.Comment.empty())
            text(texts.Comment, chunk);
        else if ((chunk.Is("ID3 ") || chunk.Is("id3 ")) && !id3)
            id3 = chunk;
        return true;
    });
    const bool haveText = !texts.Title.empty() || !texts.Artist.empty() || !texts.Comment.empty();
    const bool haveId3 = id3 && ReadEmbeddedId3v2(source, id3->Offset, id3->Size, legacy, texts);
    legacy.Decode();

    info.SamplingRate = static_cast<int32_t>(std::min<uint32_t>(common.SampleRate, INT32_MAX));
    info.PlayTime = SecondsOf(common.Frames, common.SampleRate);
    if (IsPcm(common.Compression))
        info.BitRate = static_cast<int32_t>(std::min<uint64_t>(
            uint64_t{common.SampleRate} * common.Channels * common.SampleSize / 1000, INT32_MAX));
    else
        info.BitRate = AverageKbit(soundBytes, common.Frames, common.SampleRate);
    if (haveText || haveId3) {
        info.Ext = std::move(texts);
        info.TagSets = AudioInfo::ExtendedSet;
    }
    return true;
}

} // namespace torvane
