#pragma once

#include "core/base/EntryText.h"
#include "core/base/Random.h"
#include "core/base/TextCodec.h"
#include "core/reading/ReadAhead.h"
#include "core/record/Columns.h"
#include "core/record/ListData.h"
#include "core/settings/ExtRegistry.h"
#include "core/settings/RecentList.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CListViewPort;
class CProgress;
class CProfile;
class CTagCache;
class CUiHost;

// A list of records; a record may sit in both of the document's lists at once.
using TrackList = std::vector<CListData*>;

// What became of the list kept from one run to the next ("Torvane.m3u") when it was read: the
// exit must not write a shorter list over it unasked, nor drop what was held back.
struct KeptListState {
    // Read only in part (cancelled, stopped, or a nested list not read).
    bool Incomplete = false;
    // Its entries refused only because their extension is switched off, as written.
    std::vector<std::string> HeldBack;
};

// The document's settings of profile section "app".
struct DocSettings {
    enum ReadOnLoad : int { ReadTags = 1, ReadSizes = 2 };
    static constexpr const char* Utf8CodePage = "UTF-8";

    SizeUnit SizeOf = SizeUnit::KB;
    TimeUnit TimeOf = TimeUnit::Clock;
    TagMode TagOf = TagMode::Standard;
    int readtag = ReadSizes; // ReadOnLoad bits
    bool CloseSave = false;
    int SearchClass = 0; // folder scan depth: 0 every level, 1 to 5
    bool DisNum = false;
    bool relative = false;
    std::string relative_root;
    std::string TagCodePage = CTextCodec::DefaultCodePage;
    // ".m3u" files with "#EXTM3U" and "#EXTINF" lines ("extended M3U"); off writes bare paths.
    bool ExtendedM3U = false;
    // The encoding of ".m3u", ".txt" and other plain playlists: "UTF-8", or a legacy code
    // page such as "CP932" for players and devices that expect Shift_JIS.
    std::string PlaylistCodePage = Utf8CodePage;
    // Threads that read file information ahead of the records being filled: 0 one per
    // processor, 1 none (every file read in turn).
    int ReadThreads = 0;

    DisplayUnits Units() const { return {SizeOf, TimeOf, TagOf}; }
};

// The one document: owns every track record, the all list and the search list (one of which is
// the current list the view shows), the settings, the extension registry and the icon map. The
// one place where lists change.
class CTorvaneDoc {
public:
    static constexpr const char* AppSection = "app";

    // The tag code page a profile asks for. Versions before the per-file decision wrote their
    // default "CP932" into every profile at exit, so that value in a profile this version has
    // not written yet (no "TagDetection" key) means the old default: "auto", which prefers
    // CP932 and reads every Japanese tag as before. Written by this version, "CP932" forces it.
    static std::string StoredTagCodePage(const CProfile& profile);

    // Reads the settings, the extension registry and the two histories from the profile.
    CTorvaneDoc(CProfile& profile, CUiHost& host);
    // Writes the settings and the registry back into the profile (the owner saves the file),
    // deletes every record, then writes the two histories.
    ~CTorvaneDoc();
    CTorvaneDoc(const CTorvaneDoc&) = delete;
    CTorvaneDoc& operator=(const CTorvaneDoc&) = delete;

    bool SetView(CListViewPort* view);
    CListViewPort* View() const { return m_View; }

    // Appends a record for path to the current list; false when the path is refused.
    bool AddFile(std::string_view path, bool checkExtension, PathText form = PathText::Entry);
    // Whether AddFile with the extension checked refuses path only because its extension is
    // registered but switched off.
    bool RefusedForExtension(std::string_view path) const;
    // Runs one operation that adds records to the current list. When memory runs short in it,
    // it stops: the records it added are taken back, the view is told, OutOfMemoryMessage is
    // shown and the answer is false. An operation run inside another leaves that to the outer
    // one.
    bool RunOperation(const std::function<void()>& body);
    // True while an operation runs (its progress window may let other events in meanwhile).
    bool InOperation() const { return m_OperationDepth > 0; }
    // Tells the document which paths the next AddFile calls will offer, in order, so their
    // files can be read ahead while records are added one by one. Paths AddFile would refuse
    // are left out; nothing is read ahead unless tags are read on load.
    void ExpectFiles(const std::vector<std::string>& paths, bool checkExtension,
                     PathText form = PathText::Entry);
    // Whether ExpectFiles reads anything ahead: routes skip working out what comes next
    // (which costs status queries) when it does not.
    bool ReadsAhead();
    // Forgets the paths still expected (the route ended or was cancelled).
    void EndExpectedFiles();
    // While an operation shows progress, the storage it waits on is asked on other threads
    // when the host keeps storage off its thread: meanwhile the progress gets its turns (the
    // window repaints, the cancel button is heard), and a cancel ends the wait at once.
    class CStorageWait {
    public:
        CStorageWait(CTorvaneDoc& doc, CProgress& progress);
        ~CStorageWait();
        CStorageWait(const CStorageWait&) = delete;
        CStorageWait& operator=(const CStorageWait&) = delete;

    private:
        CTorvaneDoc& m_Doc;
        CProgress* m_Outer;
    };
    // Runs call, which may wait on storage: on another thread while a CStorageWait is in force
    // and the host keeps storage off its thread, else here. False when the operation was
    // cancelled while waiting: call then finishes later on its thread, so it must own what it
    // touches.
    bool Await(std::function<void()> call);
    // Whether the progress in force (a CStorageWait's) was cancelled.
    bool WaitCancelled() const;

    // Reads the file of a record (one that is in a list) again and puts it into the record; a
    // kept entry of the tag cache is renewed.
    void ReadRecordInfo(CListData& record);
    // The size command for a record in a list: its file's status asked again.
    void RefreshRecordSize(CListData& record);
    // The same for many records, their files read (or their status asked) ahead in the order
    // given.
    void ExpectRecords(const std::vector<const CListData*>& records,
                       CReadAhead::RecordReading reading = CReadAhead::RecordReading::Tags);

    // The tag cache new records are filled from when tags are read on load; none by default.
    void UseTagCache(std::unique_ptr<CTagCache> cache);
    CTagCache* TagCache() const { return m_TagCache.get(); }
    // Writes the tag cache and lets it go, so that nothing tries again; false with the reason
    // in error when it could not be written (true when there is none).
    bool SaveTagCache(std::string& error);
    // Releases the record of one slot: deleted when this was its last slot, and the slot emptied.
    void ReleaseItem(TrackList& list, size_t index);
    // Releases the records of list from index size on and shortens it to size; the view is not
    // told.
    void TruncateList(TrackList& list, size_t size);
    void UpdateItemCount();
    void ClearCurrentList();
    // "リストをクリア": empties the current list.
    bool OnNewDocument();

    TrackList& CurrentList() { return m_SearchMode ? m_SearchList : m_AllList; }
    const TrackList& CurrentList() const { return m_SearchMode ? m_SearchList : m_AllList; }
    TrackList& AllList() { return m_AllList; }
    TrackList& SearchList() { return m_SearchList; }
    bool SearchMode() const { return m_SearchMode; }
    void SetSearchMode(bool on) { m_SearchMode = on; }
    int ShownCount() const { return m_ShownCount; }

    DocSettings& Settings() { return m_Settings; }
    const DocSettings& Settings() const { return m_Settings; }
    CExtRegistry& Extensions() { return m_Extensions; }
    const std::map<std::string, int>& IconMap() const { return m_IconMap; }
    int ImageCount() const { return m_ImageCount; }
    CRandom& Random() { return m_Random; }
    const CTextCodec& Codec() const { return m_Codec; }
    CUiHost& Host() { return m_Host; }
    CProfile& Profile() { return m_Profile; }
    const CProfile& Profile() const { return m_Profile; }
    // List files read and folders opened, most recent first.
    CRecentList& FileHistory() { return m_FileHistory; }
    CRecentList& FolderHistory() { return m_FolderHistory; }
    KeptListState& KeptList() { return m_KeptList; }

    // Writes the document's keys to section "app" in their fixed order, then the registry.
    void StoreSettings();

private:
    void LoadSettings();
    int IconFor(const std::string& ext);
    // The path AddFile would give a record, or empty when it refuses the path.
    std::string_view AcceptedPath(std::string_view path, bool checkExtension,
                                  PathText form = PathText::Entry) const;
    CReadAhead& ReadAhead();
    // The reading of the record's file read ahead, when one was (or a worker read it now, as
    // the operation only waits); none when reading ahead is off or the wait was given up.
    std::optional<FileReading> ReadAheadOf(const CListData& record,
                                           CReadAhead::RecordReading reading);

    CProfile& m_Profile;
    CUiHost& m_Host;
    bool m_SearchMode = false;
    DocSettings m_Settings;
    int m_ShownCount = 0;
    TrackList m_AllList;
    TrackList m_SearchList;
    CExtRegistry m_Extensions;
    int m_ImageCount = 1; // image 0 is the default item icon
    std::map<std::string, int> m_IconMap;
    CListViewPort* m_View = nullptr;
    CRandom m_Random;
    CTextCodec m_Codec;
    CRecentList m_FileHistory{"MRU_File", "file_"};
    CRecentList m_FolderHistory{"MRU_Dir", "dir_"};
    std::shared_ptr<CTagCache> m_TagCache;   // shared with readers left behind
    std::unique_ptr<CReadAhead> m_ReadAhead; // after the cache: its workers use it
    int m_OperationDepth = 0;
    CProgress* m_WaitProgress = nullptr; // the CStorageWait in force
    KeptListState m_KeptList;
};

} // namespace torvane
