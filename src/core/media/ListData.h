#pragma once

#include "AudioInfo.h"
#include "MpegInfo.h"
#include "OggInfo.h"
#include "TagSet.h"
#include "TextCodec.h"
#include "WmaInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

struct stat;

namespace torvane {
class CAudioReader;
}

namespace torvane {

// The track record: one audio file of a list, its path parts, size, tags, stream facts and the
// display texts built once when a value is stored. Records are created by the document and
// shared between its two lists; RefCount counts the list slots holding one.
class CListData {
public:
    enum StateBit : uint32_t { Missing = 1, Playing = 2, SizeRead = 4, InfoRead = 8 };
    enum TagSetBit : int32_t { StandardSet = 1, ExtendedSet = 2 };

    CListData() = default;
    CListData(const CListData&) = delete;
    CListData& operator=(const CListData&) = delete;

    void SetPath(std::string path);
    void SetSize(int64_t bytes);
    void SetTime(int32_t seconds);

    // Display texts chosen by the document's settings; other unit values give no text.
    const std::string& GetSizeText(int unit) const;
    const std::string& GetTimeText(int unit) const;

    // Tag fields by display mode: the extended set when only it was found, or in mode 1 when
    // it was found; the standard set otherwise.
    const std::string& GetTitle(int mode) const { return Tags(mode).Title; }
    const std::string& GetArtist(int mode) const { return Tags(mode).Artist; }
    const std::string& GetAlbum(int mode) const { return Tags(mode).Album; }
    const std::string& GetComment(int mode) const { return Tags(mode).Comment; }
    const std::string& GetTrackNum(int mode) const { return Tags(mode).TrackNum; }
    const std::string& GetGenre(int mode) const { return Tags(mode).Genre; }
    const std::string& GetYear(int mode) const { return Tags(mode).Year; }
    const TagSet& Tags(int mode) const;

    const std::string& FilePath() const { return m_FilePath; }
    const std::string& FileName() const { return m_FileName; }
    const std::string& Ext() const { return m_Ext; }
    const TagSet& StandardTags() const { return m_Std; }
    const TagSet& ExtendedTags() const { return m_ExtTags; }
    const std::string& Type() const { return m_Type; }
    const std::string& BitRateText() const { return m_BitRateText; }
    const std::string& SamplingRateText() const { return m_SamplingRateText; }
    const std::string& SizeTextKB() const { return m_SizeTextKB; }
    const std::string& SizeTextMB() const { return m_SizeTextMB; }
    const std::string& TimeTextClock() const { return m_TimeTextClock; }
    const std::string& TimeTextSec() const { return m_TimeTextSec; }
    const std::string& TimeTextMin() const { return m_TimeTextMin; }
    int64_t Size() const { return m_Size; }
    int32_t Time() const { return m_Time; }
    int32_t BitRate() const { return m_BitRate; }
    int32_t SamplingRate() const { return m_SamplingRate; }
    int32_t TagSets() const { return m_TagSets; }
    int32_t IconIndex() const { return m_IconIndex; }
    uint32_t State() const { return m_State; }
    bool Has(StateBit bit) const { return (m_State & bit) != 0; }
    int32_t RefCount() const { return m_RefCount; }

    void SetIconIndex(int32_t index) { m_IconIndex = index; }
    void SetState(StateBit bit, bool on) { m_State = on ? (m_State | bit) : (m_State & ~bit); }
    void AddRef() { ++m_RefCount; }
    // Answers the count before the decrement.
    int32_t DropRef() { return m_RefCount--; }

    // Reads the size from the file system; a path that does not exist sets Missing.
    bool ReadSize();
    // The size command: a path that is missing or a folder sets Missing and keeps the size;
    // a file clears Missing and takes its size. One status query either way.
    void RefreshSize();
    // Reads the size and, for the extensions that have a reader, the tags and stream facts.
    void ReadInfo(const CTextCodec& codec);
    bool ReadMpeg(const CTextCodec& codec);
    bool ReadOgg();
    bool ReadWma();
    // The readers of the newer formats; each answers false and leaves the record as it was
    // when the file cannot be opened or is not of the reader's format.
    bool ReadAudio(const CAudioReader& reader);
    void ClearInfo();

    void FillFromMpeg(const MpegInfo& info);
    void FillFromOgg(const OggInfo& info);
    void FillFromWma(const WmaInfo& info);
    void FillFromAudio(const AudioInfo& info);

    // 1: the same record; 0: different; 2: same size, title, artist and album (reads the
    // information of either record first when it has not been read).
    int CompareForDuplicate(CListData& other, const CTextCodec& codec);

private:
    void TakeSize(const struct stat& st);
    void SetBitRate(int32_t kbit, bool variable);
    void SetSamplingRate(int32_t hz);

    std::string m_SizeTextKB;
    std::string m_SizeTextMB;
    std::string m_TimeTextSec;
    std::string m_TimeTextMin;
    std::string m_TimeTextClock;
    std::string m_FilePath;
    std::string m_FileName;
    std::string m_Ext;
    TagSet m_Std;
    TagSet m_ExtTags;
    std::string m_Type;
    std::string m_SamplingRateText;
    std::string m_BitRateText;
    int32_t m_SamplingRate = -1;
    int32_t m_BitRate = -1;
    int32_t m_Time = 0;
    int64_t m_Size = 0; // 0 not read, -1 unavailable
    int32_t m_TagSets = 0;
    int32_t m_IconIndex = 0;
    uint32_t m_State = 0;
    int32_t m_RefCount = 0;
};

// The separator before a record path's last component: the last '\' or, when there is none, the
// last '/'; npos for a bare name.
size_t LastPathSeparator(std::string_view path);

// The reader that ReadInfo runs for an extension: "mpeg", "ogg", "wma", "flac", "opus", "mp4",
// "aiff", or empty for none. An "ogg" file that holds Opus is read by the Opus reader.
std::string ReaderForExtension(const std::string& ext);

} // namespace torvane
