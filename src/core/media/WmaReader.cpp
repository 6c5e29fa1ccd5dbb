#include "core/media/WmaReader.h"

#include "core/base/AsciiText.h"
#include "core/base/CachedSource.h"
#include "core/base/TextCodec.h"
#include "core/media/AsfHeader.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace torvane {
namespace {

// Texts are kept as long as the fields that hold them: attribute values up to 499 bytes,
// the codec name up to 1023, the bit-rate text up to 9 and the sampling-rate text up to 17.
constexpr size_t MaxAttributeBytes = 499;
constexpr size_t MaxCodecNameBytes = 1023;
constexpr size_t MaxBitRateBytes = 9;
constexpr size_t MaxSamplingRateBytes = 17;
constexpr uint64_t TicksPerSecond = 10'000'000; // 100 ns units
constexpr uint64_t TicksPerMillisecond = 10'000;

std::string AttributeText(const AsfHeader& header, std::string_view name) {
    const AsfAttribute* attribute = header.Find(name);
    return attribute ? CTextCodec::CutUtf8(attribute->Text(), MaxAttributeBytes) : std::string();
}

// "WM/Track" counts from 0, so its text is the value plus 1; without it "WM/TrackNumber"
// stands as written.
std::string TrackText(const AsfHeader& header) {
    if (const AsfAttribute* track = header.Find("WM/Track"))
        return std::to_string(track->Number().value_or(0) + 1);
    return AttributeText(header, "WM/TrackNumber");
}

// The play duration less the preroll, in whole seconds.
int32_t PlayTime(const AsfHeader& header) {
    const uint64_t preroll = header.Preroll > header.PlayDuration / TicksPerMillisecond
                                 ? header.PlayDuration
                                 : header.Preroll * TicksPerMillisecond;
    const uint64_t seconds = (header.PlayDuration - preroll) / TicksPerSecond;
    return static_cast<int32_t>(std::min<uint64_t>(seconds, INT32_MAX));
}

bool StartsWithDigit(std::string_view text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

// A field longer than its place is left empty rather than cut into a misleading number.
std::string Fitted(const std::string& text, size_t maxBytes) {
    return text.size() <= maxBytes ? text : std::string();
}

// The codec description is comma-separated: "128 kbps, 44 kHz, stereo" gives the bit-rate
// text "128 kbit" and the sampling-rate text "44000 Hz".
void DescriptionTexts(std::string_view description, AudioInfo& info) {
    const auto skipSpaces = [](std::string_view text) {
        const size_t start = text.find_first_not_of(' ');
        return start == std::string_view::npos ? std::string_view() : text.substr(start);
    };
    description = skipSpaces(description);
    const size_t comma = description.find(',');
    std::string bitRate(description.substr(0, comma));
    std::string samplingRate;
    if (comma != std::string_view::npos) {
        const std::string_view rest = skipSpaces(description.substr(comma + 1));
        samplingRate = rest.substr(0, rest.find(','));
    }
    if (bitRate.ends_with("kbps"))
        bitRate.replace(bitRate.size() - 4, 4, "kbit");
    if (samplingRate.ends_with(" kHz"))
        samplingRate.replace(samplingRate.size() - 4, 4, "000 Hz");
    info.BitRateText = Fitted(bitRate, MaxBitRateBytes);
    info.SamplingRateText = Fitted(samplingRate, MaxSamplingRateBytes);
}

// The first codec's name and texts; rates the description does not give come from the audio
// stream's format.
void CodecTexts(const AsfHeader& header, AudioInfo& info) {
    if (header.FirstCodec) {
        info.Type = CTextCodec::CutUtf8(header.FirstCodec->Name, MaxCodecNameBytes);
        DescriptionTexts(header.FirstCodec->Description, info);
    }
    if (!header.Audio)
        return;
    if (!StartsWithDigit(*info.BitRateText)) {
        const uint64_t kbit = uint64_t{header.Audio->AverageBytesPerSecond} * 8 / 1000;
        info.BitRateText = std::to_string(kbit) + " kbit";
    }
    if (!StartsWithDigit(*info.SamplingRateText))
        info.SamplingRateText = std::to_string(header.Audio->SamplesPerSecond) + " Hz";
}

// A text converted from wide characters that the code page lacked begins with "?"; such a
// text does not replace what the record holds, nor does a track text that is empty or begins
// with "0".
uint32_t KeptFields(const TagSet& tags) {
    const auto lost = [](const std::string& text) { return !text.empty() && text[0] == '?'; };
    const auto bit = [](bool on, AudioInfo::KeptField field) { return on ? uint32_t{field} : 0; };
    return AudioInfo::ExtendedSetKept | bit(lost(tags.Title), AudioInfo::TitleKept) |
           bit(lost(tags.Artist), AudioInfo::ArtistKept) |
           bit(lost(tags.Album), AudioInfo::AlbumKept) |
           bit(lost(tags.Comment), AudioInfo::CommentKept) |
           bit(tags.TrackNum.empty() || tags.TrackNum[0] == '0', AudioInfo::TrackNumKept);
}

} // namespace

void FinishWmaInfo(AudioInfo& info) {
    info.BitRateText = info.BitRateText.value_or("");
    info.SamplingRateText = info.SamplingRateText.value_or("");
    info.BitRate = LeadingNumber(*info.BitRateText);
    info.SamplingRate = LeadingNumber(*info.SamplingRateText);
    info.TagSets = AudioInfo::StandardSet;
    info.Kept = KeptFields(info.Std);
}

bool CWmaReader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    const CCachedSource source(file);
    AsfHeader header;
    if (!ReadAsfHeader(source, header))
        return false;
    info.Std.Title = AttributeText(header, "Title");
    info.Std.Artist = AttributeText(header, "Author");
    info.Std.Album = AttributeText(header, "WM/AlbumTitle");
    info.Std.Comment = AttributeText(header, "Description");
    info.Std.Year = AttributeText(header, "WM/Year");
    info.Std.TrackNum = TrackText(header);
    info.PlayTime = PlayTime(header);
    info.BitRateText.emplace();
    info.SamplingRateText.emplace();
    CodecTexts(header, info);
    FinishWmaInfo(info);
    return true;
}

} // namespace torvane
