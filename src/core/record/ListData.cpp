#include "core/record/ListData.h"

#include "core/base/AsciiText.h"
#include "core/base/OffThread.h"
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

void CListData::SetPath(std::string path) {
    m_FilePath = std::move(path);
    std::string ext;
    NameBounds(m_FilePath, m_NameStart, m_NameLength, ext);
    m_Ext = &PooledText(ext);
}

void CListData::SetSize(int64_t bytes) {
    m_Size = bytes;
    m_Texts |= TrackFacts::SizeShown;
}

void CListData::SetTime(int32_t seconds) {
    m_Time = seconds;
    m_Texts |= TrackFacts::TimeShown;
}

std::string CListData::GetSizeText(SizeUnit unit) const {
    if (!(m_Texts & TrackFacts::SizeShown) || (unit != SizeUnit::KB && unit != SizeUnit::MB))
        return {};
    if (m_Size == -1)
        return "--";
    return unit == SizeUnit::KB ? FormatSizeUnits(m_Size, 1) + " kB"
                                : FormatSizeUnits(m_Size, 2) + " MB";
}

std::string CListData::GetTimeText(TimeUnit unit) const {
    const int32_t seconds = m_Time;
    const bool known =
        unit == TimeUnit::Clock || unit == TimeUnit::Seconds || unit == TimeUnit::Minutes;
    if (!(m_Texts & TrackFacts::TimeShown) || !known)
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

PackedTags::Set CListData::SetShown(TagMode mode) const {
    const int32_t sets = m_TagSets;
    const bool useExtended =
        sets == ExtendedSet || (mode == TagMode::Extended && (sets & ExtendedSet) != 0);
    return useExtended ? PackedTags::Extended : PackedTags::Standard;
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
    FileReading status;
    status.Found = QueryFileStamp(m_FilePath, status.Stamp);
    RefreshSize(status);
}

void CListData::RefreshSize(const FileReading& status) {
    SetState(Missing, !status.Found);
    if (status.Found)
        TakeSize(status.Stamp.Size);
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
    if (const auto* info = std::get_if<AudioInfo>(&reading.Info))
        FillFrom(*info);
    else if (auto* cached = std::get_if<CachedFacts>(&reading.Info))
        TakeCachedFacts(std::move(*cached));
    if (reading.Read)
        m_State |= InfoRead;
}

void CListData::TakeCachedFacts(CachedFacts&& cached) {
    const TrackFacts& facts = cached.Facts;
    m_Tags = PackedTags(facts.Std, facts.Ext);
    m_Type = facts.Type;
    m_BitRateText = facts.BitRateText;
    m_SamplingRateText = facts.SamplingRateText;
    m_Size = facts.Size;
    m_Time = facts.Time;
    m_BitRate = facts.BitRate;
    m_SamplingRate = facts.SamplingRate;
    m_TagSets = facts.TagSets;
    m_Texts = facts.Texts;
    m_State = (m_State & ~Missing) | cached.State;
}

void CListData::ClearInfo() {
    m_Tags = PackedTags();
    m_Type = m_BitRateText = m_SamplingRateText = &PooledText({});
    m_Size = 0;
    m_Time = 0;
    m_SamplingRate = m_BitRate = 0;
    m_TagSets = 0;
    m_Texts = 0;
    m_State = 0;
}

void CListData::FillFrom(const AudioInfo& info) {
    const auto take = [&info](uint32_t kept, std::string& field, const std::string& text) {
        if (!(info.Kept & kept))
            field = text;
    };
    TagSet standard = StandardTags();
    take(AudioInfo::TitleKept, standard.Title, info.Std.Title);
    take(AudioInfo::ArtistKept, standard.Artist, info.Std.Artist);
    take(AudioInfo::AlbumKept, standard.Album, info.Std.Album);
    take(AudioInfo::CommentKept, standard.Comment, info.Std.Comment);
    standard.Comment = OneLine(standard.Comment);
    standard.Year = info.Std.Year;
    standard.Genre = info.Std.Genre;
    take(AudioInfo::TrackNumKept, standard.TrackNum, info.Std.TrackNum);
    TagSet extended = ExtendedTags();
    if (!(info.Kept & AudioInfo::ExtendedSetKept)) {
        extended = info.Ext;
        extended.Comment = OneLine(extended.Comment);
    }
    m_Tags = PackedTags(standard, extended);

    SetTime(info.PlayTime);
    m_BitRate = info.BitRate;
    m_BitRateText =
        &PooledText(info.BitRateText ? *info.BitRateText : Printf("%d kbit", info.BitRate));
    m_SamplingRate = info.SamplingRate;
    m_SamplingRateText = &PooledText(info.SamplingRateText ? *info.SamplingRateText
                                                           : Printf("%d Hz", info.SamplingRate));
    m_TagSets = info.TagSets;
    m_Type = &PooledText(info.Type);
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
    if (m_Size != other.m_Size)
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
