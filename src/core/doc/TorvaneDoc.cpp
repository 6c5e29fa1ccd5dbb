#include "core/doc/TorvaneDoc.h"

#include "core/base/EntryText.h"
#include "core/base/OffThread.h"

#include "core/base/Paths.h"
#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"
#include "core/reading/ReadAhead.h"
#include "core/reading/TagCache.h"
#include "core/settings/Profile.h"

#include <climits>
#include <ctime>
#include <new>

namespace torvane {

CTorvaneDoc::CTorvaneDoc(CProfile& profile, CUiHost& host)
    : m_Profile(profile), m_Host(host), m_Random(static_cast<uint32_t>(std::time(nullptr))) {
    LoadSettings();
    m_Codec = CTextCodec(m_Settings.TagCodePage);
    m_Extensions.LoadExtensions(m_Profile);
    m_FileHistory.Read(m_Profile);
    m_FolderHistory.Read(m_Profile);
}

CTorvaneDoc::~CTorvaneDoc() {
    m_ReadAhead.reset();
    if (m_TagCache)
        m_TagCache->Save();
    StoreSettings();
    for (size_t i = 0; i < m_SearchList.size(); ++i)
        ReleaseItem(m_SearchList, i);
    for (size_t i = 0; i < m_AllList.size(); ++i)
        ReleaseItem(m_AllList, i);
    m_FileHistory.Write(m_Profile);
    m_FolderHistory.Write(m_Profile);
}

void CTorvaneDoc::LoadSettings() {
    const auto integer = [&](const char* key, int defaultValue) {
        return m_Profile.GetInt(AppSection, key, defaultValue);
    };
    // A value outside the choices the program offers (an edited or damaged profile) counts
    // as missing: a depth of -5 would scan nothing, a unit of 7 would show empty columns.
    const auto choice = [&](const char* key, int defaultValue, int last) {
        const int value = integer(key, defaultValue);
        return value >= 0 && value <= last ? value : defaultValue;
    };
    // An on/off key is on for any value but 0.
    const auto flag = [&](const char* key) { return integer(key, 0) != 0; };
    m_Settings.SizeOf = static_cast<SizeUnit>(choice("SizeOf", 0, 1));
    m_Settings.TimeOf = static_cast<TimeUnit>(choice("TimeOf", 0, 2));
    m_Settings.TagOf = static_cast<TagMode>(choice("TagOf", 0, 1));
    m_Settings.CloseSave = flag("CloseSave");
    m_Settings.SearchClass = choice("SearchClass", 0, 5);
    m_Settings.DisNum = flag("DisNum");
    m_Settings.relative = flag("relative");
    m_Settings.relative_root = m_Profile.GetString(AppSection, "relative_root");
    m_Settings.readtag =
        choice("readtag", DocSettings::ReadSizes, DocSettings::ReadTags | DocSettings::ReadSizes);
    m_Settings.TagCodePage = StoredTagCodePage(m_Profile);
    m_Settings.ExtendedM3U = flag("ExtendedM3U");
    m_Settings.PlaylistCodePage =
        m_Profile.GetString(AppSection, "PlaylistCodePage", DocSettings::Utf8CodePage);
    // 0: as many as DefaultThreads gives for this machine.
    m_Settings.ReadThreads = choice("ReadThreads", 0, CReadAhead::MaxThreads);
}

std::string CTorvaneDoc::StoredTagCodePage(const CProfile& profile) {
    std::string stored = profile.GetString(AppSection, "TagCodePage", CTextCodec::DefaultCodePage);
    if (stored == "CP932" && profile.GetInt(AppSection, "TagDetection", 0) == 0)
        return CTextCodec::DefaultCodePage;
    return stored;
}

void CTorvaneDoc::StoreSettings() {
    m_Profile.SetInt(AppSection, "readtag", m_Settings.readtag);
    m_Profile.SetInt(AppSection, "SizeOf", static_cast<int>(m_Settings.SizeOf));
    m_Profile.SetInt(AppSection, "TimeOf", static_cast<int>(m_Settings.TimeOf));
    m_Profile.SetInt(AppSection, "TagOf", static_cast<int>(m_Settings.TagOf));
    m_Profile.SetInt(AppSection, "CloseSave", m_Settings.CloseSave ? 1 : 0);
    m_Profile.SetInt(AppSection, "SearchClass", m_Settings.SearchClass);
    m_Profile.SetInt(AppSection, "relative", m_Settings.relative ? 1 : 0);
    m_Profile.SetString(AppSection, "relative_root", m_Settings.relative_root);
    m_Profile.SetInt(AppSection, "DisNum", m_Settings.DisNum ? 1 : 0);
    m_Profile.SetString(AppSection, "TagCodePage", m_Settings.TagCodePage);
    m_Profile.SetInt(AppSection, "TagDetection", 1);
    m_Profile.SetInt(AppSection, "ExtendedM3U", m_Settings.ExtendedM3U ? 1 : 0);
    m_Profile.SetString(AppSection, "PlaylistCodePage", m_Settings.PlaylistCodePage);
    m_Profile.SetInt(AppSection, "ReadThreads", m_Settings.ReadThreads);
    m_Extensions.SaveExtensions(m_Profile);
}

bool CTorvaneDoc::SetView(CListViewPort* view) {
    if (!view)
        return false;
    m_View = view;
    return true;
}

std::string_view CTorvaneDoc::AcceptedPath(std::string_view path, bool checkExtension,
                                           PathText form) const {
    // No file name holds a NUL byte: such a line of a list file is garbage, not a path.
    if (path.size() > PATH_MAX || path.find('\0') != std::string_view::npos)
        return {};
    const std::string_view text = form == PathText::Exact ? path : EntryText(path);
    // A bare file name has no folder to find it in; a trailing separator names a folder.
    if (text.find('/') == std::string_view::npos || text.back() == '/')
        return {};
    if (checkExtension) {
        const std::string_view ext = ExtensionOf(text);
        if (ext.empty() || !m_Extensions.IsKnownExtension(ext))
            return {};
    }
    return text;
}

bool CTorvaneDoc::AddFile(std::string_view path, bool checkExtension, PathText form) {
    const std::string_view text = AcceptedPath(path, checkExtension, form);
    if (text.empty())
        return false;
    // Owned here until the list holds it: a lack of memory on the way leaks nothing.
    std::unique_ptr<CListData> record;
    const bool readsTags = m_Settings.readtag & DocSettings::ReadTags;
    if (ReadsAhead()) {
        record = m_ReadAhead->TakeRecord(text, readsTags ? CReadAhead::RecordReading::Tags
                                                         : CReadAhead::RecordReading::SizeOnly);
        // The wait for the file was given up: the operation is cancelled, the file not added.
        if (!record && WaitCancelled())
            return false;
    }
    if (!record) {
        record = std::make_unique<CListData>();
        record->SetPath(std::string(text));
        if (m_Settings.readtag & DocSettings::ReadTags)
            ApplyNewReading(
                *record,
                ReadWithCache(m_TagCache.get(), record->FilePath(), record->Ext(), m_Codec),
                m_TagCache.get());
        else if (m_Settings.readtag & DocSettings::ReadSizes)
            record->ReadSize();
    }
    record->SetIconIndex(record->Ext().empty() ? 0 : IconFor(record->Ext()));

    CurrentList().push_back(record.get());
    record.release()->AddRef();
    ++m_ShownCount;
    return true;
}

bool CTorvaneDoc::RefusedForExtension(std::string_view path) const {
    const std::string_view text = AcceptedPath(path, false);
    return !text.empty() && m_Extensions.IsSwitchedOff(ExtensionOf(text));
}

bool CTorvaneDoc::RunOperation(const std::function<void()>& body) {
    const bool outermost = m_OperationDepth == 0;
    TrackList& list = CurrentList();
    const size_t before = list.size();
    ++m_OperationDepth;
    try {
        body();
    } catch (const std::bad_alloc&) {
        --m_OperationDepth;
        if (!outermost)
            throw;
        EndExpectedFiles();
        TruncateList(list, before);
        UpdateItemCount();
        try {
            m_Host.ShowMessage(MessageKind::Error, MessageId::OutOfMemory, MessageButtons::Ok);
        } catch (const std::bad_alloc&) {
            // Nothing more can be said; the list is as it was.
        }
        return false;
    } catch (...) {
        --m_OperationDepth;
        throw;
    }
    --m_OperationDepth;
    return true;
}

void CTorvaneDoc::TruncateList(TrackList& list, size_t size) {
    for (size_t i = size; i < list.size(); ++i)
        ReleaseItem(list, i);
    if (list.size() > size)
        list.resize(size);
    m_ShownCount = static_cast<int>(CurrentList().size());
}

std::optional<FileReading> CTorvaneDoc::ReadAheadOf(const CListData& record,
                                                    CReadAhead::RecordReading reading) {
    if (m_ReadAhead || m_Host.KeepsStorageOffThread())
        return ReadAhead().Take(record.FilePath(), reading);
    return std::nullopt;
}

void CTorvaneDoc::ReadRecordInfo(CListData& record) {
    std::optional<FileReading> reading = ReadAheadOf(record, CReadAhead::RecordReading::Tags);
    if (!reading && WaitCancelled())
        return; // given up waiting: the record stays as it was
    if (!reading)
        reading = ReadTrackFile(record.FilePath(), record.Ext(), m_Codec);
    record.ApplyReading(*reading);
    if (!Keepable(*reading, m_TagCache.get()))
        return;
    // The record may keep facts of earlier readings; the cache keeps those of a fresh one.
    CListData fresh;
    fresh.SetPath(record.FilePath());
    fresh.ApplyReading(*reading);
    m_TagCache->Store(fresh.FilePath(), reading->Stamp, fresh);
}

void CTorvaneDoc::RefreshRecordSize(CListData& record) {
    const std::optional<FileReading> status =
        ReadAheadOf(record, CReadAhead::RecordReading::SizeOnly);
    if (status)
        record.RefreshSize(*status);
    else if (!WaitCancelled())
        record.RefreshSize();
}

CReadAhead& CTorvaneDoc::ReadAhead() {
    if (!m_ReadAhead) {
        const int threads =
            m_Settings.ReadThreads > 0 ? m_Settings.ReadThreads : CReadAhead::DefaultThreads();
        m_ReadAhead = std::make_unique<CReadAhead>(m_Codec, m_TagCache, threads,
                                                   m_Host.KeepsStorageOffThread());
        if (m_WaitProgress)
            m_ReadAhead->SetWaitTurn([this] { return !WaitCancelled(); });
    }
    return *m_ReadAhead;
}

bool CTorvaneDoc::ReadsAhead() {
    // Sizes alone are quick to ask for here, unless this thread must not wait on storage.
    const int reads = m_Settings.readtag & (DocSettings::ReadTags | DocSettings::ReadSizes);
    if (reads == 0 || (reads == DocSettings::ReadSizes && !m_Host.KeepsStorageOffThread()))
        return false;
    return ReadAhead().Enabled();
}

CTorvaneDoc::CStorageWait::CStorageWait(CTorvaneDoc& doc, CProgress& progress)
    : m_Doc(doc), m_Outer(doc.m_WaitProgress) {
    if (!doc.m_Host.KeepsStorageOffThread())
        return;
    doc.m_WaitProgress = &progress;
    if (doc.m_ReadAhead)
        doc.m_ReadAhead->SetWaitTurn([&doc] { return !doc.WaitCancelled(); });
}

CTorvaneDoc::CStorageWait::~CStorageWait() {
    m_Doc.m_WaitProgress = m_Outer;
    if (m_Doc.m_ReadAhead && !m_Outer)
        m_Doc.m_ReadAhead->SetWaitTurn({});
}

bool CTorvaneDoc::Await(std::function<void()> call) {
    if (!m_WaitProgress) {
        call();
        return true;
    }
    return RunOffThread(std::move(call), [this] { return !WaitCancelled(); });
}

bool CTorvaneDoc::WaitCancelled() const {
    return m_WaitProgress && m_WaitProgress->IsCancelled();
}

void CTorvaneDoc::ExpectFiles(const std::vector<std::string>& paths, bool checkExtension,
                              PathText form) {
    if (paths.empty() || !ReadsAhead())
        return;
    std::vector<std::string> accepted;
    accepted.reserve(paths.size());
    for (const std::string& path : paths)
        if (const std::string_view text = AcceptedPath(path, checkExtension, form); !text.empty())
            accepted.emplace_back(text);
    m_ReadAhead->ExpectNewRecords(std::move(accepted), (m_Settings.readtag & DocSettings::ReadTags)
                                                           ? CReadAhead::RecordReading::Tags
                                                           : CReadAhead::RecordReading::SizeOnly);
}

void CTorvaneDoc::ExpectRecords(const std::vector<const CListData*>& records,
                                CReadAhead::RecordReading reading) {
    if (records.size() < 2 || !ReadAhead().Enabled())
        return;
    std::vector<std::string> paths;
    paths.reserve(records.size());
    for (const CListData* record : records)
        paths.push_back(record->FilePath());
    m_ReadAhead->ExpectReadings(std::move(paths), reading);
}

void CTorvaneDoc::EndExpectedFiles() {
    if (m_ReadAhead)
        m_ReadAhead->Clear();
}

bool CTorvaneDoc::SaveTagCache(std::string& error) {
    const bool saved = !m_TagCache || m_TagCache->Save(&error);
    UseTagCache(nullptr);
    return saved;
}

void CTorvaneDoc::UseTagCache(std::unique_ptr<CTagCache> cache) {
    m_ReadAhead.reset(); // its workers know the old cache
    m_TagCache = std::move(cache);
}

// The icon is looked up once per extension; an extension without an icon maps to image 0.
int CTorvaneDoc::IconFor(const std::string& ext) {
    const auto it = m_IconMap.find(ext);
    if (it != m_IconMap.end())
        return it->second;
    int candidate = m_ImageCount;
    const bool loaded = m_Host.LoadTypeIcon(ext, candidate);
    ++m_ImageCount;
    if (!loaded)
        candidate = 0;
    m_IconMap.emplace(ext, candidate);
    return candidate;
}

void CTorvaneDoc::ReleaseItem(TrackList& list, size_t index) {
    if (index >= list.size() || list[index] == nullptr)
        return;
    CListData* record = list[index];
    if (record->DropRef() <= 1) {
        delete record;
        list[index] = nullptr;
    }
}

void CTorvaneDoc::UpdateItemCount() {
    if (!m_View)
        return;
    m_ShownCount = static_cast<int>(CurrentList().size());
    m_View->SetItemCount(m_ShownCount);
    m_View->SetItemCountText(CMessage(MessageId::ItemCount).Number(m_ShownCount));
}

void CTorvaneDoc::ClearCurrentList() {
    if (!m_View || m_View->ItemCount() == 0)
        return;
    m_View->SetItemCount(0);
    TrackList& list = CurrentList();
    for (size_t i = 0; i < list.size(); ++i)
        ReleaseItem(list, i);
    TrackList().swap(list);
    m_ShownCount = 0;
    UpdateItemCount();
    m_View->UpdateSelectionTexts();
}

bool CTorvaneDoc::OnNewDocument() {
    ClearCurrentList();
    return true;
}

} // namespace torvane
