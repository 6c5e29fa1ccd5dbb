#include "core/media/Mp4Reader.h"

#include "core/base/ByteReader.h"
#include "core/base/CachedSource.h"
#include "core/base/TextCodec.h"
#include "core/media/Id3v1Genres.h"
#include "core/media/Mp4Atoms.h"

#include <algorithm>
#include <array>
#include <climits>

namespace torvane {
namespace {

// Bytes of an item's value that are read: far more than any kept text needs.
constexpr size_t MaxItemBytes = 4096;
// Nested descriptors of an "esds" atom followed at most.
constexpr int MaxDescriptors = 8;
// Atoms looked at for the value of an item or the "esds" of a "wave" atom (both stand first),
// and tracks looked at for the sound track: each costs walks of its own.
constexpr int MaxValueAtoms = 16;
constexpr int MaxTracks = 64;

struct Duration {
    uint32_t TimeScale = 0;
    uint64_t Units = 0;
};

struct SoundFacts {
    std::string Codec; // the sample entry's type: "mp4a", "alac", ...
    uint32_t SampleRate = 0;
    uint32_t AverageBitRate = 0; // bit/s, 0 when the file does not say
};

// "mvhd" and "mdhd" share their start: version, flags, two times, the time scale and the
// duration, 32 bits wide in version 0 and 64 in version 1.
Duration ReadDuration(const CByteSource& source, const Mp4Atom& header) {
    const auto bytes = source.Read(header.Offset, 32);
    CByteReader reader(bytes);
    const uint8_t version = reader.U8();
    reader.Skip(3);
    Duration duration;
    if (version == 1) {
        reader.Skip(16);
        duration.TimeScale = reader.U32BE();
        duration.Units = uint64_t{reader.U32BE()} << 32 | reader.U32BE();
    } else {
        reader.Skip(8);
        duration.TimeScale = reader.U32BE();
        duration.Units = reader.U32BE();
    }
    return reader.Ok() ? duration : Duration{};
}

// A descriptor's tag and its length, written in 7-bit groups with a continuation bit.
bool ReadDescriptorHeader(CByteReader& reader, uint8_t& tag, uint32_t& length) {
    tag = reader.U8();
    length = 0;
    for (int i = 0; i < 4; ++i) {
        const uint8_t byte = reader.U8();
        length = length << 7 | (byte & 0x7F);
        if (!(byte & 0x80))
            break;
    }
    return reader.Ok();
}

// The sampling rate of an AudioSpecificConfig: five bits of object type (31 escapes to six
// more), then a four-bit rate index or, for index 15, 24 bits of rate; 0 when the bytes end
// before the rate does.
uint32_t AudioConfigRate(std::span<const uint8_t> config) {
    static constexpr std::array<uint32_t, 13> Rates = {
        96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000, 7350};
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
        bits = bits << 8 | (i < config.size() ? config[i] : 0);
    const int typeBits = (bits >> 59) == 31 ? 11 : 5;
    const uint32_t index = static_cast<uint32_t>(bits >> (60 - typeBits)) & 0x0F;
    const size_t needed = static_cast<size_t>(typeBits + 4 + (index == 15 ? 24 : 0) + 7) / 8;
    if (config.size() < needed)
        return 0;
    if (index == 15)
        return static_cast<uint32_t>(bits >> (36 - typeBits)) & 0xFFFFFF;
    return index < Rates.size() ? Rates[index] : 0;
}

// ES descriptor, decoder configuration (average bit rate), decoder specific information
// (the sampling rate).
void ReadEsds(const CByteSource& source, const Mp4Atom& esds, SoundFacts& facts) {
    const auto bytes =
        source.Read(esds.Offset, static_cast<size_t>(std::min<uint64_t>(esds.Size, MaxItemBytes)));
    CByteReader reader(bytes);
    reader.Skip(4); // version and flags
    for (int i = 0; i < MaxDescriptors && reader.Ok() && reader.Remaining() > 0; ++i) {
        uint8_t tag = 0;
        uint32_t length = 0;
        if (!ReadDescriptorHeader(reader, tag, length))
            return;
        if (tag == 3) { // ES descriptor: its id and flags, then optional fields, then children
            reader.Skip(2);
            const uint8_t flags = reader.U8();
            if (flags & 0x80)
                reader.Skip(2);
            if (flags & 0x40)
                reader.Skip(reader.U8());
            if (flags & 0x20)
                reader.Skip(2);
        } else if (tag == 4) { // decoder configuration, then its children
            reader.Skip(5);    // object type, stream type, buffer size
            reader.U32BE();    // maximum bit rate
            const uint32_t average = reader.U32BE();
            if (reader.Ok())
                facts.AverageBitRate = average;
        } else if (tag == 5) {
            if (const uint32_t rate = AudioConfigRate(reader.Bytes(length)))
                facts.SampleRate = rate;
            return;
        } else {
            reader.Skip(length);
        }
    }
}

// The "alac" atom inside the sample entry: version and flags, frame length, compatible
// version, bit depth, three tuning bytes, channels, maximum run, maximum frame bytes, average
// bit rate and sampling rate. Its average bit rate is not taken: encoders write the rate of
// the uncompressed samples there, so the average of the media data is the truer one.
void ReadAlacConfig(const CByteSource& source, const Mp4Atom& alac, SoundFacts& facts) {
    const auto bytes = source.Read(alac.Offset, 28);
    CByteReader reader(bytes);
    reader.Skip(24);
    const uint32_t rate = reader.U32BE();
    if (reader.Ok() && rate > 0)
        facts.SampleRate = rate;
}

// The first sample entry of "stsd": the codec, the sampling rate of its 16.16 field, and its
// child atoms ("esds" directly or inside "wave", or "alac").
SoundFacts ReadSampleEntry(const CByteSource& source, const Mp4Atom& stsd) {
    SoundFacts facts;
    WalkMp4Atoms(source, stsd.Offset + 8, stsd.End(), [&](const Mp4Atom& entry) {
        facts.Codec.assign(entry.Type, 4);
        const auto bytes = source.Read(entry.Offset, 28);
        CByteReader reader(bytes);
        reader.Skip(8); // reserved, data reference index
        const uint16_t version = reader.U16BE();
        reader.Skip(14);
        facts.SampleRate = reader.U32BE() >> 16;
        // QuickTime's version 1 and 2 entries carry 16 and 36 more bytes before the children.
        const uint64_t children = 28 + (version == 1 ? 16 : version == 2 ? 36 : 0);
        if (!reader.Ok() || children > entry.Size)
            return false;
        WalkMp4Atoms(
            source, entry.Offset + children, entry.End(),
            [&](const Mp4Atom& child) {
                if (child.Is("esds"))
                    ReadEsds(source, child, facts);
                else if (child.Is("alac"))
                    ReadAlacConfig(source, child, facts);
                else if (child.Is("wave"))
                    if (const auto esds =
                            FindMp4Atom(source, child.Offset, child.End(), "esds", MaxValueAtoms))
                        ReadEsds(source, *esds, facts);
                return true;
            },
            MaxNestedAtoms);
        return false;
    });
    return facts;
}

// The value of an item of the list: its first "data" atom after the type and locale words.
struct ItemValue {
    uint32_t Type = 0; // 1 UTF-8, 2 UTF-16, 0 implicit (numbers)
    CReadBytes Bytes;
};

std::optional<ItemValue> ReadItemValue(const CByteSource& source, const Mp4Atom& item) {
    const auto data = FindMp4Atom(source, item.Offset, item.End(), "data", MaxValueAtoms);
    if (!data || data->Size < 8)
        return std::nullopt;
    ItemValue value;
    value.Type = CByteReader(source.Read(data->Offset, 4)).U32BE() & 0xFFFFFF;
    value.Bytes = source.Read(
        data->Offset + 8, static_cast<size_t>(std::min<uint64_t>(data->Size - 8, MaxItemBytes)));
    return value;
}

std::string ItemText(const ItemValue& value) {
    const std::string text = value.Type == 2 ? CTextCodec::FromUtf16(value.Bytes, true)
                                             : CTextCodec::SanitizeUtf8(AsText(value.Bytes));
    return CTextCodec::CutUtf8(CTextCodec::UpToZero(text), AudioInfo::MaxTextBytes);
}

std::string* TextField(const Mp4Atom& item, TagSet& tags) {
    if (item.Is("\xA9nam"))
        return &tags.Title;
    if (item.Is("\xA9"
                "ART"))
        return &tags.Artist;
    if (item.Is("\xA9"
                "alb"))
        return &tags.Album;
    if (item.Is("\xA9"
                "cmt"))
        return &tags.Comment;
    if (item.Is("\xA9gen"))
        return &tags.Genre;
    if (item.Is("\xA9"
                "day"))
        return &tags.Year;
    return nullptr;
}

// The items of "ilst" the record shows; "trkn" holds the track after two reserved bytes,
// "gnre" a genre number one above its ID3v1 index.
bool ReadItemList(const CByteSource& source, const Mp4Atom& ilst, TagSet& tags) {
    bool found = false;
    WalkMp4Atoms(
        source, ilst.Offset, ilst.End(),
        [&](const Mp4Atom& item) {
            const auto value = ReadItemValue(source, item);
            if (!value)
                return true;
            found = true;
            CByteReader reader(value->Bytes);
            if (std::string* field = TextField(item, tags)) {
                *field = ItemText(*value);
            } else if (item.Is("trkn")) {
                reader.Skip(2);
                if (const uint16_t track = reader.U16BE(); reader.Ok() && track > 0)
                    tags.TrackNum = std::to_string(track);
            } else if (item.Is("gnre") && tags.Genre.empty()) {
                const uint16_t genre = reader.U16BE();
                if (reader.Ok() && genre > 0)
                    tags.Genre = Id3v1GenreName(genre - 1);
            }
            return true;
        },
        MaxNestedAtoms);
    return found;
}

// "meta" is a full atom (four bytes of version and flags before its children) in MP4 files
// and a plain one in some QuickTime files: the bytes after the header tell which.
std::optional<Mp4Atom> FindItemList(const CByteSource& source, const Mp4Atom& moov) {
    const auto meta = FindMp4Path(source, moov, {"udta", "meta"});
    if (!meta)
        return std::nullopt;
    const bool full = CByteReader(source.Read(meta->Offset, 4)).U32BE() == 0;
    return FindMp4Atom(source, meta->Offset + (full ? 4 : 0), meta->End(), "ilst");
}

// The first track whose handler is "soun".
std::optional<Mp4Atom> FindSoundTrack(const CByteSource& source, const Mp4Atom& moov) {
    std::optional<Mp4Atom> sound;
    int tracks = 0;
    WalkMp4Atoms(
        source, moov.Offset, moov.End(),
        [&](const Mp4Atom& trak) {
            if (!trak.Is("trak"))
                return true;
            if (++tracks > MaxTracks)
                return false;
            const auto hdlr = FindMp4Path(source, trak, {"mdia", "hdlr"});
            if (hdlr && CByteReader(source.Read(hdlr->Offset + 8, 4)).Peek("soun"))
                sound = trak;
            return !sound;
        },
        MaxNestedAtoms);
    return sound;
}

std::string TypeText(const std::string& codec) {
    if (codec == "mp4a")
        return "MP4 AAC";
    if (codec == "alac")
        return "MP4 ALAC";
    return "MP4";
}

} // namespace

bool CMp4Reader::Read(const CByteSource& file, AudioInfo& info) const {
    info = {};
    const CCachedSource source(file);
    std::optional<Mp4Atom> ftyp, moov;
    uint64_t mediaBytes = 0;
    WalkMp4Atoms(source, 0, source.Size(), [&](const Mp4Atom& atom) {
        if (atom.Is("ftyp") && !ftyp)
            ftyp = atom;
        else if (atom.Is("moov") && !moov)
            moov = atom;
        else if (atom.Is("mdat"))
            mediaBytes += atom.Size;
        return true;
    });
    if (!ftyp && !moov)
        return false;
    info.Type = "MP4";
    if (!moov)
        return true;

    Duration duration;
    SoundFacts facts;
    if (const auto trak = FindSoundTrack(source, *moov)) {
        if (const auto mdhd = FindMp4Path(source, *trak, {"mdia", "mdhd"}))
            duration = ReadDuration(source, *mdhd);
        if (const auto stsd = FindMp4Path(source, *trak, {"mdia", "minf", "stbl", "stsd"}))
            facts = ReadSampleEntry(source, *stsd);
    }
    if (duration.TimeScale == 0)
        if (const auto mvhd = FindMp4Atom(source, moov->Offset, moov->End(), "mvhd"))
            duration = ReadDuration(source, *mvhd);

    info.Type = TypeText(facts.Codec);
    info.SamplingRate = static_cast<int32_t>(std::min<uint32_t>(facts.SampleRate, INT32_MAX));
    info.PlayTime = SecondsOf(duration.Units, duration.TimeScale);
    info.BitRate = facts.AverageBitRate > 0
                       ? static_cast<int32_t>(facts.AverageBitRate / 1000)
                       : AverageKbit(mediaBytes, duration.Units, duration.TimeScale);
    if (const auto ilst = FindItemList(source, *moov);
        ilst && ReadItemList(source, *ilst, info.Std))
        info.TagSets = AudioInfo::StandardSet;
    return true;
}

} // namespace torvane
