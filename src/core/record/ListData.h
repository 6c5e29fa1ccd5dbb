#pragma once

#include "core/base/TextCodec.h"
#include "core/record/DisplayChoice.h"
#include "core/record/FileReading.h"
#include "core/record/TrackFacts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// The track record: one audio file of a list, its path parts, size, tags and stream facts.
// Records are created by the document and shared between its two lists; RefCount counts the
// list slots holding one. The record keeps what it must; the size and time texts are made from
// its numbers when asked for, and the name is a part of the path.
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
    std::string GetSizeText(SizeUnit unit) const;
    std::string GetTimeText(TimeUnit unit) const;

    // Tag fields by display mode: the extended set when only it was found, or in the extended
    // mode when it was found; the standard set otherwise.
    const std::string& GetTitle(TagMode mode) const { return Tags(mode).Title; }
    const std::string& GetArtist(TagMode mode) const { return Tags(mode).Artist; }
    const std::string& GetAlbum(TagMode mode) const { return Tags(mode).Album; }
    const std::string& GetComment(TagMode mode) const { return Tags(mode).Comment; }
    const std::string& GetTrackNum(TagMode mode) const { return Tags(mode).TrackNum; }
    const std::string& GetGenre(TagMode mode) const { return Tags(mode).Genre; }
    const std::string& GetYear(TagMode mode) const { return Tags(mode).Year; }
    const TagSet& Tags(TagMode mode) const;

    const std::string& FilePath() const { return m_FilePath; }
    // The last path component without its extension.
    std::string_view FileName() const {
        return std::string_view(m_FilePath).substr(m_NameStart, m_NameLength);
    }
    const std::string& Ext() const { return *m_Ext; }
    const TagSet& StandardTags() const { return m_Facts.Std; }
    const TagSet& ExtendedTags() const { return m_Facts.Ext; }
    // The tag kinds found ("ID3 V1・ID3 V2"), or NoTagType; written into lists and pages as it
    // is, translated by the window only when it is NoTagType.
    const std::string& Type() const { return *m_Facts.Type; }
    static constexpr const char* NoTagType = AudioInfo::NoTagType;
    const std::string& BitRateText() const { return *m_Facts.BitRateText; }
    const std::string& SamplingRateText() const { return *m_Facts.SamplingRateText; }
    std::string SizeTextKB() const { return GetSizeText(SizeUnit::KB); }
    std::string SizeTextMB() const { return GetSizeText(SizeUnit::MB); }
    std::string TimeTextClock() const { return GetTimeText(TimeUnit::Clock); }
    std::string TimeTextSec() const { return GetTimeText(TimeUnit::Seconds); }
    std::string TimeTextMin() const { return GetTimeText(TimeUnit::Minutes); }
    int64_t Size() const { return m_Facts.Size; }
    int32_t Time() const { return m_Facts.Time; }
    int32_t BitRate() const { return m_Facts.BitRate; }
    int32_t SamplingRate() const { return m_Facts.SamplingRate; }
    int32_t TagSets() const { return m_Facts.TagSets; }
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
    // Puts what a reading of this record's file found into the record, as ReadInfo does. A
    // reading handed over gives up its facts instead of having them copied.
    void ApplyReading(FileReading&& reading);
    void ApplyReading(const FileReading& reading) { ApplyReading(FileReading(reading)); }
    void ClearInfo();

    // Takes what a reader found: the tags (the fields the reader marks kept stay as they are;
    // comments on one line), the stream facts and their texts, the type; clears Missing.
    void FillFrom(const AudioInfo& info);

    // The facts a fresh record holds after reading its file, with the state bits reading set.
    CachedFacts FactsAfterReading() const;
    // A fresh record takes the facts of an earlier reading of the same, unchanged file.
    void TakeCachedFacts(CachedFacts&& cached);

    enum class DuplicateMatch : int { Different = 0, SameRecord = 1, SameTrack = 2 };
    // Whether other is this very record, a different track, or the same track: same size,
    // title, artist and album (reads the information of either record first when it has not
    // been read).
    DuplicateMatch CompareForDuplicate(CListData& other, const CTextCodec& codec);

private:
    void TakeSize(int64_t bytes);

    std::string m_FilePath;
    const std::string* m_Ext = &PooledText({}); // lower case, shared by records alike
    TrackFacts m_Facts;
    uint32_t m_NameStart = 0;
    uint32_t m_NameLength = 0;
    int32_t m_IconIndex = 0;
    uint32_t m_State = 0;
    int32_t m_RefCount = 0;
};

// The separator before a record path's last component: the last '\' or, when there is none, the
// last '/'; npos for a bare name.
size_t LastPathSeparator(std::string_view path);

// The extension a record of path holds: the last component's, lower case, without the dot.
std::string RecordExt(const std::string& path);

} // namespace torvane
