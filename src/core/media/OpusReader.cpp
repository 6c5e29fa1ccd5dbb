#include "core/media/OpusReader.h"

#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/media/OggPacketReader.h"
#include "core/media/OggPage.h"
#include "core/media/VorbisComments.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace torvane {
namespace {

// Opus granule positions count samples at 48 kHz, whatever the input rate was.
constexpr uint64_t GranuleRate = 48000;

struct OpusHead {
    uint16_t PreSkip = 0;
    uint32_t InputRate = 0;
};

// "OpusHead", version, channels, pre-skip, input sampling rate, gain and mapping family.
std::optional<OpusHead> ReadHead(const CByteSource& source, const OggPage& page) {
    const auto bytes = source.Read(page.BodyOffset(), 19);
    CByteReader reader(bytes);
    if (!reader.Peek("OpusHead"))
        return std::nullopt;
    reader.Skip(10); // signature, version, channels
    OpusHead head;
    head.PreSkip = reader.U16LE();
    head.InputRate = reader.U32LE();
    if (!reader.Ok())
        return std::nullopt;
    return head;
}

bool ReadTags(const CByteSource& source, const OggPage& page, VorbisComments& comments) {
    COggPacketReader packet(source, page);
    std::string signature;
    return packet.Read(8, signature) && signature == "OpusTags" &&
           ReadVorbisCommentList(packet, comments);
}

} // namespace

bool COpusReader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    const CCachedSource source(file);
    OggPage first;
    if (!ReadOggPage(source, 0, first))
        return false;
    const auto head = ReadHead(source, first);
    if (!head)
        return false;
    info.Type = "Opus";
    // An input rate of 0 means the encoder did not know it; the stream plays at 48 kHz.
    const uint32_t rate = head->InputRate != 0 ? head->InputRate : GranuleRate;
    info.SamplingRate = static_cast<int32_t>(std::min<uint32_t>(rate, INT32_MAX));

    OggPage second;
    VorbisComments comments;
    uint64_t audioStart = first.End();
    if (ReadOggPage(source, first.End(), second) && second.Serial == first.Serial &&
        ReadTags(source, second, comments)) {
        info.Std = comments.ToTagSet();
        info.TagSets = AudioInfo::StandardSet;
        audioStart = std::min(PacketPagesEnd(source, second), source.Size());
    }

    // A granule position below the pre-skip, or a negative one, gives no time.
    const auto granule = FindLastGranule(source, first.Serial);
    if (granule && static_cast<int64_t>(*granule) > head->PreSkip) {
        const uint64_t samples = *granule - head->PreSkip;
        info.PlayTime = SecondsOf(samples, GranuleRate);
        info.BitRate = AverageKbit(source.Size() - audioStart, samples, GranuleRate);
    }
    return true;
}

} // namespace torvane
