#pragma once

#include "core/base/TextCodec.h"
#include "core/record/DisplayChoice.h"
#include "core/record/FileReading.h"
#include "core/record/PackedTags.h"
#include "core/record/TrackFacts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// The track record: one audio file of a list, its path parts, size, tags and stream facts.
// Records are created by the document and shared between its two lists; RefCount counts the
// list slots holding one. The record keeps what it must; the size and time texts are made from
// its numbers when asked for, the name is a part of the path, and the tags take one block made
// when a reading finds any (a list of a million paths must fit in little memory).
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
    // mode when it was found; the standard set otherwise. A text stays valid until the record's
    // tags change (a reading, ClearInfo, TakeCachedFacts).
    std::string_view GetTitle(TagMode mode) const { return Tag(mode, PackedTags::Title); }
    std::string_view GetArtist(TagMode mode) const { return Tag(mode, PackedTags::Artist); }
    std::string_view GetAlbum(TagMode mode) const { return Tag(mode, PackedTags::Album); }
    std::string_view GetComment(TagMode mode) const { return Tag(mode, PackedTags::Comment); }
    std::string_view GetTrackNum(TagMode mode) const { return Tag(mode, PackedTags::TrackNum); }
    std::string_view GetGenre(TagMode mode) const { return Tag(mode, PackedTags::Genre); }
    std::string_view GetYear(TagMode mode) const { return Tag(mode, PackedTags::Year); }
    // Copies of a whole set: the one shown in mode, the standard one, the extended one.
    TagSet Tags(TagMode mode) const { return m_Tags.Unpack(SetShown(mode)); }

    const std::string& FilePath() const { return m_FilePath; }
    // The last path component without its extension.
    std::string_view FileName() const {
        return std::string_view(m_FilePath).substr(m_NameStart, m_NameLength);
    }
    const std::string& Ext() const { return *m_Ext; }
    // A text of one of the two sets, whatever the display mode; valid as Get... texts are.
    std::string_view TagText(PackedTags::Set set, PackedTags::Field field) const {
        return m_Tags.Text(set, field);
    }
    TagSet StandardTags() const { return m_Tags.Unpack(PackedTags::Standard); }
    TagSet ExtendedTags() const { return m_Tags.Unpack(PackedTags::Extended); }
    // The tag kinds found ("ID3 V1・ID3 V2"), or NoTagType; written into lists and pages as it
    // is, translated by the window only when it is NoTagType.
    const std::string& Type() const { return *m_Type; }
    static constexpr const char* NoTagType = AudioInfo::NoTagType;
    const std::string& BitRateText() const { return *m_BitRateText; }
    const std::string& SamplingRateText() const { return *m_SamplingRateText; }
    std::string SizeTextKB() const { return GetSizeText(SizeUnit::KB); }
    std::string SizeTextMB() const { return GetSizeText(SizeUnit::MB); }
    std::string TimeTextClock() const { return GetTimeText(TimeUnit::Clock); }
    std::string TimeTextSec() const { return GetTimeText(TimeUnit::Seconds); }
    std::string TimeTextMin() const { return GetTimeText(TimeUnit::Minutes); }
    int64_t Size() const { return m_Size; }
    int32_t Time() const { return m_Time; }
    int32_t BitRate() const { return m_BitRate; }
    int32_t SamplingRate() const { return m_SamplingRate; }
    int32_t TagSets() const { return m_TagSets; }
    int32_t IconIndex() const { return m_IconIndex; }
    uint32_t State() const { return m_State; }
    // TrackFacts::TextBit: which of the made texts are shown.
    uint8_t ShownTexts() const { return m_Texts; }
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
    // The same with the status asked elsewhere (a reading of the status only).
    void RefreshSize(const FileReading& status);
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

    // A fresh record takes the facts of an earlier reading of the same, unchanged file.
    void TakeCachedFacts(CachedFacts&& cached);

    enum class DuplicateMatch : int { Different = 0, SameRecord = 1, SameTrack = 2 };
    // Whether other is this very record, a different track, or the same track: same size,
    // title, artist and album (reads the information of either record first when it has not
    // been read).
    DuplicateMatch CompareForDuplicate(CListData& other, const CTextCodec& codec);

private:
    void TakeSize(int64_t bytes);
    PackedTags::Set SetShown(TagMode mode) const;
    std::string_view Tag(TagMode mode, PackedTags::Field field) const {
        return m_Tags.Text(SetShown(mode), field);
    }

    // The facts are TrackFacts' (what the tag cache keeps), the tags packed.
    std::string m_FilePath;
    const std::string* m_Ext = &PooledText({}); // lower case, shared by records alike
    PackedTags m_Tags;
    const std::string* m_Type = &PooledText({});
    const std::string* m_BitRateText = &PooledText({});
    const std::string* m_SamplingRateText = &PooledText({});
    int64_t m_Size = 0; // 0 not read, -1 unavailable
    int32_t m_Time = 0;
    int32_t m_BitRate = -1;
    int32_t m_SamplingRate = -1;
    int32_t m_TagSets = 0;
    uint32_t m_NameStart = 0;
    uint32_t m_NameLength = 0;
    int32_t m_IconIndex = 0;
    uint32_t m_State = 0;
    int32_t m_RefCount = 0;
    uint8_t m_Texts = 0; // TrackFacts::TextBit: which of the made texts are shown
};

// The separator before a record path's last component: the last '\' or, when there is none, the
// last '/'; npos for a bare name.
size_t LastPathSeparator(std::string_view path);

// The extension a record of path holds: the last component's, lower case, without the dot.
std::string RecordExt(const std::string& path);

} // namespace torvane
