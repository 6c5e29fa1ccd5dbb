#include "core/commands/AutoSave.h"

#include "core/base/AtomicFile.h"
#include "core/base/Paths.h"
#include "core/doc/TorvaneDoc.h"
#include "core/doc/UiHost.h"
#include "core/gather/ListFileReader.h"
#include "core/listops/Search.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/Profile.h"

#include <memory>
#include <string_view>
#include <unordered_set>

namespace torvane {
namespace {

void LeaveSearchMode(CTorvaneDoc& doc) {
    if (doc.SearchMode())
        ToggleSearchMode(doc);
}

// A missing file is no error: the reader answers false and leaves no trace.
void ReadAutoSaveList(CTorvaneDoc& doc) {
    ListFileReading reading;
    const bool read = ReadListFile(doc, AutoSavePath(doc), nullptr, 100, &reading);
    KeptListState& kept = doc.KeptList();
    // A kept list that is there but could not be read (too large, a read error) was not
    // loaded at all.
    if (!reading.Complete || (!read && KindOf(AutoSavePath(doc)) != PathKind::Missing))
        kept.Incomplete = true;
    for (std::string& entry : reading.HeldBack)
        kept.HeldBack.push_back(std::move(entry));
    if (read)
        doc.UpdateItemCount();
}

// Writes the all list, then the held-back entries it does not hold, as records of their own
// for the length of the write.
bool WriteKeptList(CTorvaneDoc& doc, const std::string& path) {
    TrackList& list = doc.AllList();
    const size_t size = list.size();
    std::unordered_set<std::string_view> written;
    for (const CListData* record : list)
        written.insert(record->FilePath());
    bool saved = false;
    try {
        for (const std::string& entry : doc.KeptList().HeldBack) {
            if (!written.insert(entry).second)
                continue;
            auto record = std::make_unique<CListData>();
            record->SetPath(entry);
            list.push_back(record.get());
            record.release()->AddRef();
        }
        saved = WritePlaylist(doc, path, {});
    } catch (...) {
        doc.TruncateList(list, size);
        throw;
    }
    doc.TruncateList(list, size);
    return saved;
}

} // namespace

std::string AutoSavePath(const CTorvaneDoc& doc) {
    return JoinPath(FolderOf(MakeAbsolute(doc.Profile().Path())), "Torvane.m3u");
}

bool AutoSaveList(CTorvaneDoc& doc, bool mayAsk) {
    if (!doc.Settings().CloseSave)
        return true;
    LeaveSearchMode(doc);
    const std::string path = AutoSavePath(doc);
    // A kept list read only in part would come back shorter: not without the user's yes.
    if (doc.KeptList().Incomplete && KindOf(path) == PathKind::File &&
        (!mayAsk || doc.Host().ShowMessage(MessageKind::Confirmation, MessageId::KeptListIncomplete,
                                           MessageButtons::YesNo) != MessageAnswer::Yes))
        return true;
    if (!doc.AllList().empty() || !doc.KeptList().HeldBack.empty())
        return WriteKeptList(doc, path);
    // A kept list that cannot be deleted (a read-only folder) would come back at the next
    // start: that is reported like a list that cannot be written. A kept list behind a link
    // keeps its link.
    std::string error;
    if (!RemoveFileKeepingLinks(path, error)) {
        doc.Host().ShowMessage(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok);
        return false;
    }
    return true;
}

void AutoLoadList(CTorvaneDoc& doc) {
    if (!doc.AllList().empty() || !doc.Settings().CloseSave)
        return;
    LeaveSearchMode(doc);
    ReadAutoSaveList(doc);
}

bool AutoSaveListExists(const CTorvaneDoc& doc) {
    return KindOf(AutoSavePath(doc)) == PathKind::File;
}

void OpenAutoSaveList(CTorvaneDoc& doc) {
    ReadAutoSaveList(doc);
}

} // namespace torvane
