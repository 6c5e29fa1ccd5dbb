#pragma once

// The synthetic list the list-operation benchmarks share: 100,000 read records in random order
// (or another count, with the same proportions).

#include "core/base/Progress.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/media/MpegReader.h"
#include "core/settings/Profile.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace torvane {

constexpr int RecordCount = 100000;

// What an MP3 of a tagged collection carries: both tag sets with everyday lengths.
inline AudioInfo TypicalTags(int i) {
    AudioInfo info;
    const std::string artist = "The Artist Number " + std::to_string(i % 500);
    const std::string album = "An Album Called " + std::to_string(i % 5000);
    const std::string title = "A Song Title Of Some Length " + std::to_string(i);
    info.Std.Title = title.substr(0, 30);
    info.Std.Artist = artist.substr(0, 30);
    info.Std.Album = album.substr(0, 30);
    info.Std.Year = "1999";
    info.Std.TrackNum = std::to_string(i % 12 + 1);
    info.Ext.Title = title;
    info.Ext.Artist = artist;
    info.Ext.Album = album;
    info.Ext.Year = "1999";
    info.Ext.Genre = "Rock";
    info.Ext.TrackNum = std::to_string(i % 12 + 1) + "/12";
    info.PlayTime = 200 + i % 100;
    info.BitRate = 192;
    info.SamplingRate = 44100;
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    FinishMpegInfo(info);
    return info;
}

// The plain host of headless runs: progress without a window, every question answered OK.
class CQuietHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(MessageKind, const CMessage&, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override { return std::make_unique<CProgress>(); }
};

// A document over the given host holding count read records in random order. For RecordCount:
// 2,000 titles in mixed case (many equal keys), 500 artist folders, numbered file names, sizes
// from a small range (so that about a third of the records are duplicates of another). Other
// counts scale the titles and folders with the count, so that as many records share a title
// and a folder, and as many are duplicates (same title and size), whatever the length.
class CSyntheticList {
public:
    explicit CSyntheticList(CUiHost& host, int count = RecordCount) : m_Doc(m_Profile, host) {
        m_Doc.Settings().readtag = 0;
        std::mt19937 random(42);
        const char* words[] = {"Love", "song", "Night", "blue", "Rain", "dance", "Heart", "road"};
        const auto scaled = [count](unsigned atRecordCount) {
            return std::max(1u, static_cast<unsigned>(static_cast<uint64_t>(atRecordCount) *
                                                      static_cast<unsigned>(count) / RecordCount));
        };
        const unsigned titles = scaled(2000);
        const unsigned folders = scaled(500);
        for (int i = 0; i < count; ++i) {
            const int title = static_cast<int>(random() % titles);
            const std::string name = std::to_string(random() % 20) + " " + words[title % 8] + " " +
                                     std::to_string(title);
            m_Doc.AddFile("/music/artist" + std::to_string(random() % folders) + "/album" +
                              std::to_string(random() % 10) + "/" + name + ".mp3",
                          false);
            CListData* record = m_Doc.AllList().back();
            AudioInfo info;
            info.Std.Title = name.substr(name.find(' ') + 1);
            info.Std.Artist = "artist " + std::to_string(title % 37);
            info.Std.Album = "album";
            info.BitRate = 128;
            info.TagFlags = AudioInfo::TagId3v1;
            FinishMpegInfo(info);
            record->FillFrom(info);
            record->SetSize(4000000 + static_cast<int64_t>(random() % 50));
            record->SetState(CListData::InfoRead, true);
        }
        m_Order = m_Doc.AllList();
        // The saved order holds every record too, so that removals never delete one.
        for (CListData* record : m_Order)
            record->AddRef();
    }
    ~CSyntheticList() {
        for (size_t i = 0; i < m_Order.size(); ++i)
            m_Doc.ReleaseItem(m_Order, i);
    }
    CSyntheticList(const CSyntheticList&) = delete;
    CSyntheticList& operator=(const CSyntheticList&) = delete;

    CTorvaneDoc& Doc() { return m_Doc; }

    // Puts every record back into the all list in the first order and shows that list.
    void Restore() {
        m_Doc.SetSearchMode(false);
        TrackList& list = m_Doc.AllList();
        for (size_t i = 0; i < list.size(); ++i)
            m_Doc.ReleaseItem(list, i);
        list = m_Order;
        for (CListData* record : list)
            record->AddRef();
    }

private:
    CProfile m_Profile;
    CTorvaneDoc m_Doc;
    TrackList m_Order;
};

} // namespace torvane
