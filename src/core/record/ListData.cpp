#include "core/record/ListData.h"

#include "core/base/AsciiText.h"
#include "core/record/SizeFormat.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace torvane {
namespace {

// Line breaks in comments become spaces, so a comment stays on one table row.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

std::string Printf(const char* format, int a, int b = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

// Where the name starts in a record path and how long it is (the extension not counted).
void NameBounds(const std::string& path, uint32_t& start, uint32_t& length, std::string& ext) {
    const size_t separator = LastPathSeparator(path);
    const size_t first = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = path.rfind('.');
    const bool hasExt = dot != std::string::npos && dot >= first;
    start = static_cast<uint32_t>(first);
    length = static_cast<uint32_t>((hasExt ? dot : path.size()) - first);
    ext = hasExt ? LowerAscii(path.substr(dot + 1)) : std::string();
}

} // namespace

size_t LastPathSeparator(std::string_view path) {
    const size_t backslash = path.rfind('\\');
    return backslash != std::string_view::npos ? backslash : path.rfind('/');
}

std::string RecordExt(const std::string& path) {
    uint32_t start = 0;
    uint32_t length = 0;
    std::string ext;
    NameBounds(path, start, length, ext);
    return ext;
}

std::string ReaderForExtension(const std::string& ext) {
    const std::string lower = LowerAscii(ext);
    if (lower == "wma")
        return "wma";
    if (lower == "mp3" || lower == "wav")
        return "mpeg";
    if (lower == "ogg")
        return "ogg";
    if (lower == "flac")
        return "flac";
    if (lower == "opus")
        return "opus";
    if (lower == "m4a")
        return "mp4";
    if (lower == "aif" || lower == "aiff")
        return "aiff";
    return {};
}

void CListData::SetPath(std::string path) {
    m_FilePath = std::move(path);
    std::string ext;
    NameBounds(m_FilePath, m_NameStart, m_NameLength, ext);
    m_Ext = &PooledText(ext);
}

void CListData::SetSize(int64_t bytes) {
    m_Facts.Size = bytes;
    m_Facts.Texts |= TrackFacts::SizeShown;
}

void CListData::SetTime(int32_t seconds) {
    m_Facts.Time = seconds;
    m_Facts.Texts |= TrackFacts::TimeShown;
}

std::string CListData::GetSizeText(SizeUnit unit) const {
    if (!(m_Facts.Texts & TrackFacts::SizeShown) || (unit != SizeUnit::KB && unit != SizeUnit::MB))
        return {};
    if (m_Facts.Size == -1)
        return "--";
    return unit == SizeUnit::KB ? FormatSizeUnits(m_Facts.Size, 1) + " kB"
                                : FormatSizeUnits(m_Facts.Size, 2) + " MB";
}

std::string CListData::GetTimeText(TimeUnit unit) const {
    const int32_t seconds = m_Facts.Time;
    const bool known =
        unit == TimeUnit::Clock || unit == TimeUnit::Seconds || unit == TimeUnit::Minutes;
    if (!(m_Facts.Texts & TrackFacts::TimeShown) || !known)
        return {};
    if (seconds <= 0)
        return "--";
    switch (unit) {
    case TimeUnit::Clock:
        return Printf("%02d:%02d", seconds / 60, seconds % 60);
    case TimeUnit::Seconds:
        return Printf("%d sec", seconds);
    default:
        return Printf("%d.%d min", seconds / 60, (seconds % 60) / 6);
    }
}

const TagSet& CListData::Tags(TagMode mode) const {
    const int32_t sets = m_Facts.TagSets;
    const bool useExtended =
        sets == ExtendedSet || (mode == TagMode::Extended && (sets & ExtendedSet) != 0);
    return useExtended ? m_Facts.Ext : m_Facts.Std;
}

bool CListData::ReadSize() {
    struct stat st {};
    if (::stat(m_FilePath.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            m_State |= Missing;
        return false;
    }
    TakeSize(static_cast<int64_t>(st.st_size));
    return true;
}

void CListData::RefreshSize() {
    struct stat st {};
    if (::stat(m_FilePath.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        m_State |= Missing;
        return;
    }
    m_State &= ~Missing;
    TakeSize(static_cast<int64_t>(st.st_size));
}

void CListData::TakeSize(int64_t bytes) {
    SetSize(bytes);
    m_State |= SizeRead;
}

void CListData::ReadInfo(const CTextCodec& codec) {
    ApplyReading(ReadTrackFile(m_FilePath, *m_Ext, codec));
}

void CListData::ApplyReading(FileReading&& reading) {
    if (!reading.Found) {
        SetSize(-1);
        SetTime(-1);
        m_State |= Missing;
        return;
    }
    TakeSize(reading.Stamp.Size);
    if (const auto* info = std::get_if<MpegInfo>(&reading.Info))
        FillFromMpeg(*info);
    else if (const auto* ogg = std::get_if<OggInfo>(&reading.Info))
        FillFromOgg(*ogg);
    else if (const auto* wma = std::get_if<WmaInfo>(&reading.Info))
        FillFromWma(*wma);
    else if (const auto* audio = std::get_if<AudioInfo>(&reading.Info))
        FillFromAudio(*audio);
    else if (auto* cached = std::get_if<CachedFacts>(&reading.Info))
        TakeCachedFacts(std::move(*cached));
    if (reading.Read)
        m_State |= InfoRead;
}

CachedFacts CListData::FactsAfterReading() const {
    return {m_Facts, m_State & (SizeRead | InfoRead)};
}

void CListData::TakeCachedFacts(CachedFacts&& cached) {
    m_Facts = std::move(cached.Facts);
    m_State = (m_State & ~Missing) | cached.State;
}

void CListData::ClearInfo() {
    m_Facts = TrackFacts{};
    m_Facts.SamplingRate = m_Facts.BitRate = 0;
    m_State = 0;
}

void CListData::SetBitRate(int32_t kbit, bool variable) {
    m_Facts.BitRate = kbit;
    m_Facts.BitRateText = &PooledText(variable ? "(VBR)" : Printf("%d kbit", kbit));
}

void CListData::SetSamplingRate(int32_t hz) {
    m_Facts.SamplingRate = hz;
    m_Facts.SamplingRateText = &PooledText(Printf("%d Hz", hz));
}

void CListData::FillFromMpeg(const MpegInfo& info) {
    m_Facts.Std.Title = info.StdTitle;
    m_Facts.Std.Artist = info.StdArtist;
    m_Facts.Std.Album = info.StdAlbum;
    m_Facts.Std.Comment = OneLine(info.StdComment);
    m_Facts.Std.Year = info.StdYear;
    m_Facts.Std.Genre = info.StdGenre;
    m_Facts.Ext.Title = info.ExtTitle;
    m_Facts.Ext.Artist = info.ExtArtist;
    m_Facts.Ext.Album = info.ExtAlbum;
    m_Facts.Ext.Comment = OneLine(info.ExtComment);
    m_Facts.Ext.Year = info.ExtYear;
    m_Facts.Ext.Genre = info.ExtGenre;

    SetTime(info.PlayTime);
    SetBitRate(info.BitRate, info.BitRate == -1);
    SetSamplingRate(info.SamplingRate);

    if (info.StdTrack > 0)
        m_Facts.Std.TrackNum = std::to_string(info.StdTrack);
    m_Facts.Ext.TrackNum = info.ExtTrack;

    const int32_t flags = info.TagFlags;
    std::string type;
    m_Facts.TagSets = 0;
    if (flags == 0) {
        type = "タグなし";
    } else {
        if (flags & MpegInfo::TagId3v1) {
            type = "ID3 V1";
            m_Facts.TagSets |= StandardSet;
            if (flags & ~MpegInfo::TagId3v1 & 0xFF)
                type += "・";
        }
        const char* extended = (flags & MpegInfo::TagRiffWave)  ? "RIFF Wave"
                               : (flags & MpegInfo::TagRiffMp3) ? "RIFF MP3"
                               : (flags & MpegInfo::TagId3v2)   ? "ID3 V2"
                                                                : nullptr;
        if (extended) {
            type += extended;
            m_Facts.TagSets |= ExtendedSet;
        }
    }
    m_Facts.Type = &PooledText(type);
    m_State &= ~Missing;
}

void CListData::FillFromOgg(const OggInfo& info) {
    m_Facts.Std.Title = info.Title;
    m_Facts.Std.Artist = info.Artist;
    m_Facts.Std.Album = info.Album;
    m_Facts.Std.Comment = OneLine(info.Comment);
    SetSamplingRate(info.SamplingRate);
    SetBitRate(info.NominalBitrate / 1000, false);
    m_Facts.Std.TrackNum = std::to_string(info.TrackNumber);
    m_Facts.Std.Year = info.Year;
    m_Facts.Std.Genre = info.Genre;
    SetTime(info.PlayTime);
    m_Facts.TagSets = StandardSet;
    m_State &= ~Missing;
    m_Facts.Type = &PooledText("OggVorbis");
}

void CListData::FillFromWma(const WmaInfo& info) {
    // A text converted from wide characters that the code page lacked begins with "?"; such a
    // text does not replace what the record holds.
    const auto take = [](std::string& field, const std::string& text) {
        if (text.empty() || text[0] != '?')
            field = text;
    };
    take(m_Facts.Std.Title, info.Title);
    take(m_Facts.Std.Artist, info.Artist);
    take(m_Facts.Std.Album, info.Album);
    take(m_Facts.Std.Comment, info.Comment);
    m_Facts.Std.Comment = OneLine(m_Facts.Std.Comment);

    m_Facts.SamplingRate = LeadingNumber(info.SamplingRateText);
    m_Facts.BitRate = LeadingNumber(info.BitRateText);
    m_Facts.SamplingRateText = &PooledText(info.SamplingRateText);
    m_Facts.BitRateText = &PooledText(info.BitRateText);

    m_Facts.Type = &PooledText(info.CodecName);
    m_Facts.Std.Year = info.Year;
    m_Facts.Std.Genre = info.Genre;
    SetTime(info.PlayTime);
    if (!info.TrackText.empty() && info.TrackText[0] != '0')
        m_Facts.Std.TrackNum = info.TrackText;
    m_Facts.TagSets = StandardSet;
    m_State &= ~Missing;
}

void CListData::FillFromAudio(const AudioInfo& info) {
    m_Facts.Std = info.Std;
    m_Facts.Std.Comment = OneLine(m_Facts.Std.Comment);
    m_Facts.Ext = info.Ext;
    m_Facts.Ext.Comment = OneLine(m_Facts.Ext.Comment);
    SetTime(info.PlayTime);
    SetBitRate(info.BitRate, false);
    SetSamplingRate(info.SamplingRate);
    m_Facts.TagSets = info.TagSets;
    m_Facts.Type = &PooledText(info.Type);
    m_State &= ~Missing;
}

CListData::DuplicateMatch CListData::CompareForDuplicate(CListData& other,
                                                         const CTextCodec& codec) {
    if (&other == this)
        return DuplicateMatch::SameRecord;
    if (!Has(InfoRead))
        ReadInfo(codec);
    if (!other.Has(InfoRead))
        other.ReadInfo(codec);
    if (m_Facts.Size != other.m_Facts.Size)
        return DuplicateMatch::Different;
    // A record that could not be read (missing, or no reader for its type) has no tags to
    // compare: its empty texts must not make it a duplicate of an untagged file of its size.
    if (!Has(InfoRead) || !other.Has(InfoRead))
        return DuplicateMatch::Different;
    const TagMode mode = TagMode::Standard;
    if (GetTitle(mode) != other.GetTitle(mode) || GetArtist(mode) != other.GetArtist(mode) ||
        GetAlbum(mode) != other.GetAlbum(mode))
        return DuplicateMatch::Different;
    return DuplicateMatch::SameTrack;
}

} // namespace torvane
