#include "core/media/OggReader.h"

#include "core/base/AsciiText.h"
#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/media/OggPacketReader.h"
#include "core/media/OggPage.h"
#include "core/media/VorbisComments.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

namespace torvane {
namespace {

// The identification header: packet type 1, "vorbis", version, channels, sampling rate and
// the three bit rates, block sizes and framing.
bool ReadIdHeader(const CByteSource& source, const OggPage& page, AudioInfo& info) {
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

// The comment header: packet type 3, "vorbis", the vendor text, then counted comments of
// the form KEY=value. A packet that ends early keeps the comments read whole before.
bool ReadComments(const CByteSource& source, const OggPage& page, VorbisComments& comments) {
    COggPacketReader packet(source, page);
    std::string signature;
    return packet.Read(7, signature) && signature == "\x03vorbis" &&
           ReadVorbisCommentList(packet, comments);
}

// Seconds from the last page's granule position; -1 when there is none or no rate to
// divide by.
int32_t ComputeTime(const CCachedSource& source, uint32_t serial, int32_t samplingRate) {
    const auto granule = FindLastGranule(source, serial);
    if (!granule || samplingRate <= 0 || static_cast<int64_t>(*granule) < 0)
        return -1;
    const int64_t seconds = static_cast<int64_t>(*granule) / samplingRate;
    return static_cast<int32_t>(std::min<int64_t>(seconds, INT32_MAX));
}

bool ReadVorbis(const CByteSource& file, AudioInfo& info) {
    const CCachedSource source(file);
    OggPage first;
    if (!ReadOggPage(source, 0, first) || first.Sequence != 0 || !ReadIdHeader(source, first, info))
        return false;
    OggPage second;
    VorbisComments comments;
    if (!ReadOggPage(source, first.End(), second) || second.Sequence != 1 ||
        !ReadComments(source, second, comments))
        return false;
    // Year and genre are not taken.
    info.Std.Title = comments.Title;
    info.Std.Artist = comments.Artist;
    info.Std.Album = comments.Album;
    info.Std.Comment = comments.Comment;
    info.Std.TrackNum = comments.TrackNumber;
    info.PlayTime = ComputeTime(source, first.Serial, info.SamplingRate);
    return true;
}

} // namespace

void FinishVorbisInfo(AudioInfo& info) {
    info.Std.TrackNum = std::to_string(LeadingNumber(info.Std.TrackNum));
    info.BitRate = info.NominalBitrate / 1000;
    info.TagSets = AudioInfo::StandardSet;
    info.Kept = AudioInfo::ExtendedSetKept;
    info.Type = "OggVorbis";
}

bool COggReader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    info.FileLength = static_cast<int64_t>(file.Size());
    info.Status = ReadVorbis(file, info) ? 1 : -1;
    FinishVorbisInfo(info);
    return true;
}

} // namespace torvane
