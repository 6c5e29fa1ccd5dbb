#include "ListData.h"

#include "AiffReader.h"
#include "AsciiText.h"
#include "CachedSource.h"
#include "FileSource.h"
#include "FlacReader.h"
#include "Mp4Reader.h"
#include "MpegReader.h"
#include "OggPage.h"
#include "OggReader.h"
#include "OpusReader.h"
#include "SizeFormat.h"
#include "WmaReader.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace torvane {
namespace {

const std::string NoText;

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

} // namespace

size_t LastPathSeparator(std::string_view path) {
    const size_t backslash = path.rfind('\\');
    return backslash != std::string_view::npos ? backslash : path.rfind('/');
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
    const size_t separator = LastPathSeparator(m_FilePath);
    const std::string last =
        separator == std::string::npos ? m_FilePath : m_FilePath.substr(separator + 1);
    const size_t dot = last.rfind('.');
    if (dot == std::string::npos) {
        m_FileName = last;
        m_Ext.clear();
    } else {
        m_FileName = last.substr(0, dot);
        m_Ext = LowerAscii(last.substr(dot + 1));
    }
}

void CListData::SetSize(int64_t bytes) {
    m_Size = bytes;
    if (bytes == -1) {
        m_SizeTextKB = m_SizeTextMB = "--";
        return;
    }
    m_SizeTextKB = FormatSizeUnits(bytes, 1) + " kB";
    m_SizeTextMB = FormatSizeUnits(bytes, 2) + " MB";
}

void CListData::SetTime(int32_t seconds) {
    m_Time = seconds;
    if (seconds <= 0) {
        m_TimeTextClock = m_TimeTextSec = m_TimeTextMin = "--";
        return;
    }
    m_TimeTextClock = Printf("%02d:%02d", seconds / 60, seconds % 60);
    m_TimeTextSec = Printf("%d sec", seconds);
    m_TimeTextMin = Printf("%d.%d min", seconds / 60, (seconds % 60) / 6);
}

const std::string& CListData::GetSizeText(int unit) const {
    switch (unit) {
    case 0:
        return m_SizeTextKB;
    case 1:
        return m_SizeTextMB;
    default:
        return NoText;
    }
}

const std::string& CListData::GetTimeText(int unit) const {
    switch (unit) {
    case 0:
        return m_TimeTextClock;
    case 1:
        return m_TimeTextSec;
    case 2:
        return m_TimeTextMin;
    default:
        return NoText;
    }
}

const TagSet& CListData::Tags(int mode) const {
    const bool useExtended =
        m_TagSets == ExtendedSet || (mode == 1 && (m_TagSets & ExtendedSet) != 0);
    return useExtended ? m_ExtTags : m_Std;
}

bool CListData::ReadSize() {
    struct stat st {};
    if (::stat(m_FilePath.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            m_State |= Missing;
        return false;
    }
    TakeSize(st);
    return true;
}

void CListData::RefreshSize() {
    struct stat st {};
    if (::stat(m_FilePath.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        m_State |= Missing;
        return;
    }
    m_State &= ~Missing;
    TakeSize(st);
}

void CListData::TakeSize(const struct stat& st) {
    SetSize(static_cast<int64_t>(st.st_size));
    m_State |= SizeRead;
}

void CListData::ReadInfo(const CTextCodec& codec) {
    // One status query serves both the existence test and the size.
    struct stat st {};
    if (::stat(m_FilePath.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        SetSize(-1);
        SetTime(-1);
        m_State |= Missing;
        return;
    }
    TakeSize(st);
    const std::string reader = ReaderForExtension(m_Ext);
    // The readers of the newer formats count as having read the file only when it was of
    // their format: an unreadable file has no tags, and empty tags must not make two such
    // files of one size duplicates.
    bool read = true;
    if (reader == "wma")
        ReadWma();
    else if (reader == "mpeg")
        ReadMpeg(codec);
    else if (reader == "ogg")
        ReadOgg();
    else if (reader == "flac")
        read = ReadAudio(CFlacReader());
    else if (reader == "opus")
        read = ReadAudio(COpusReader());
    else if (reader == "mp4")
        read = ReadAudio(CMp4Reader());
    else if (reader == "aiff")
        read = ReadAudio(CAiffReader(codec));
    else
        return;
    if (read)
        m_State |= InfoRead;
}

bool CListData::ReadMpeg(const CTextCodec& codec) {
    if (m_Size == 0)
        return false;
    FillFromMpeg(CMpegReader(codec).Read(m_FilePath));
    return true;
}

bool CListData::ReadOgg() {
    if (m_Size == 0)
        return false;
    const CFileSource file(m_FilePath);
    if (!file.IsOpen())
        return false;
    // Many "ogg" files hold Opus (or FLAC) rather than Vorbis; the first packet tells. The
    // readers share one cache, so the start of the file is read once.
    const CCachedSource cached(file);
    AudioInfo other;
    if ((FirstPacketStartsWith(cached, "OpusHead") && COpusReader().Read(cached, other)) ||
        (FirstPacketStartsWith(cached, "\x7F"
                                       "FLAC") &&
         CFlacReader().Read(cached, other))) {
        FillFromAudio(other);
        return true;
    }
    OggInfo info;
    COggReader().Read(cached, info);
    info.Path = m_FilePath;
    FillFromOgg(info);
    return true;
}

bool CListData::ReadAudio(const CAudioReader& reader) {
    if (m_Size == 0)
        return false;
    AudioInfo info;
    if (!reader.Read(m_FilePath, info))
        return false;
    FillFromAudio(info);
    return true;
}

bool CListData::ReadWma() {
    if (m_Size == 0)
        return false;
    WmaInfo info;
    if (!CWmaReader().Read(m_FilePath, info))
        return false;
    FillFromWma(info);
    return true;
}

void CListData::ClearInfo() {
    m_Std = TagSet{};
    m_ExtTags = TagSet{};
    m_Type.clear();
    m_TimeTextClock.clear();
    m_TimeTextSec.clear();
    m_TimeTextMin.clear();
    m_SizeTextKB.clear();
    m_SizeTextMB.clear();
    m_SamplingRateText.clear();
    m_BitRateText.clear();
    m_SamplingRate = m_BitRate = m_Time = 0;
    m_Size = 0;
    m_State = 0;
}

void CListData::SetBitRate(int32_t kbit, bool variable) {
    m_BitRate = kbit;
    m_BitRateText = variable ? "(VBR)" : Printf("%d kbit", kbit);
}

void CListData::SetSamplingRate(int32_t hz) {
    m_SamplingRate = hz;
    m_SamplingRateText = Printf("%d Hz", hz);
}

void CListData::FillFromMpeg(const MpegInfo& info) {
    m_Std.Title = info.StdTitle;
    m_Std.Artist = info.StdArtist;
    m_Std.Album = info.StdAlbum;
    m_Std.Comment = OneLine(info.StdComment);
    m_Std.Year = info.StdYear;
    m_Std.Genre = info.StdGenre;
    m_ExtTags.Title = info.ExtTitle;
    m_ExtTags.Artist = info.ExtArtist;
    m_ExtTags.Album = info.ExtAlbum;
    m_ExtTags.Comment = OneLine(info.ExtComment);
    m_ExtTags.Year = info.ExtYear;
    m_ExtTags.Genre = info.ExtGenre;

    SetTime(info.PlayTime);
    SetBitRate(info.BitRate, info.BitRate == -1);
    SetSamplingRate(info.SamplingRate);

    if (info.StdTrack > 0)
        m_Std.TrackNum = std::to_string(info.StdTrack);
    m_ExtTags.TrackNum = info.ExtTrack;

    const int32_t flags = info.TagFlags;
    m_Type.clear();
    m_TagSets = 0;
    if (flags == 0) {
        m_Type = "タグなし";
    } else {
        if (flags & MpegInfo::TagId3v1) {
            m_Type = "ID3 V1";
            m_TagSets |= StandardSet;
            if (flags & ~MpegInfo::TagId3v1 & 0xFF)
                m_Type += "・";
        }
        const char* extended = (flags & MpegInfo::TagRiffWave)  ? "RIFF Wave"
                               : (flags & MpegInfo::TagRiffMp3) ? "RIFF MP3"
                               : (flags & MpegInfo::TagId3v2)   ? "ID3 V2"
                                                                : nullptr;
        if (extended) {
            m_Type += extended;
            m_TagSets |= ExtendedSet;
        }
    }
    m_State &= ~Missing;
}

void CListData::FillFromOgg(const OggInfo& info) {
    m_Std.Title = info.Title;
    m_Std.Artist = info.Artist;
    m_Std.Album = info.Album;
    m_Std.Comment = OneLine(info.Comment);
    SetSamplingRate(info.SamplingRate);
    SetBitRate(info.NominalBitrate / 1000, false);
    m_Std.TrackNum = std::to_string(info.TrackNumber);
    m_Std.Year = info.Year;
    m_Std.Genre = info.Genre;
    SetTime(info.PlayTime);
    m_TagSets = StandardSet;
    m_State &= ~Missing;
    m_Type = "OggVorbis";
}

void CListData::FillFromWma(const WmaInfo& info) {
    // A text converted from wide characters that the code page lacked begins with "?"; such a
    // text does not replace what the record holds.
    const auto take = [](std::string& field, const std::string& text) {
        if (text.empty() || text[0] != '?')
            field = text;
    };
    take(m_Std.Title, info.Title);
    take(m_Std.Artist, info.Artist);
    take(m_Std.Album, info.Album);
    take(m_Std.Comment, info.Comment);
    m_Std.Comment = OneLine(m_Std.Comment);

    m_SamplingRate = LeadingNumber(info.SamplingRateText);
    m_BitRate = LeadingNumber(info.BitRateText);
    m_SamplingRateText = info.SamplingRateText;
    m_BitRateText = info.BitRateText;

    m_Type = info.CodecName;
    m_Std.Year = info.Year;
    m_Std.Genre = info.Genre;
    SetTime(info.PlayTime);
    if (!info.TrackText.empty() && info.TrackText[0] != '0')
        m_Std.TrackNum = info.TrackText;
    m_TagSets = StandardSet;
    m_State &= ~Missing;
}

void CListData::FillFromAudio(const AudioInfo& info) {
    m_Std = info.Std;
    m_Std.Comment = OneLine(m_Std.Comment);
    m_ExtTags = info.Ext;
    m_ExtTags.Comment = OneLine(m_ExtTags.Comment);
    SetTime(info.PlayTime);
    SetBitRate(info.BitRate, false);
    SetSamplingRate(info.SamplingRate);
    m_TagSets = info.TagSets;
    m_Type = info.Type;
    m_State &= ~Missing;
}

int CListData::CompareForDuplicate(CListData& other, const CTextCodec& codec) {
    if (&other == this)
        return 1;
    if (!Has(InfoRead))
        ReadInfo(codec);
    if (!other.Has(InfoRead))
        other.ReadInfo(codec);
    if (m_Size != other.m_Size)
        return 0;
    // A record that could not be read (missing, or no reader for its type) has no tags to
    // compare: its empty texts must not make it a duplicate of an untagged file of its size.
    if (!Has(InfoRead) || !other.Has(InfoRead))
        return 0;
    if (GetTitle(0) != other.GetTitle(0) || GetArtist(0) != other.GetArtist(0) ||
        GetAlbum(0) != other.GetAlbum(0))
        return 0;
    return 2;
}

} // namespace torvane
