#include "AutoSave.h"

#include "ListFileReader.h"
#include "Paths.h"
#include "PlaylistWriter.h"
#include "Profile.h"
#include "TorvaneDoc.h"
#include "UiHost.h"
#include "core/listops/Search.h"

#include <cerrno>
#include <unistd.h>

namespace torvane {
namespace {

void LeaveSearchMode(CTorvaneDoc& doc) {
    if (doc.SearchMode())
        ToggleSearchMode(doc);
}

// A missing file is no error: the reader answers false and leaves no trace.
void ReadAutoSaveList(CTorvaneDoc& doc) {
    if (ReadListFile(doc, AutoSavePath(doc), nullptr, 100))
        doc.UpdateItemCount();
}

} // namespace

std::string AutoSavePath(const CTorvaneDoc& doc) {
    return JoinPath(FolderOf(MakeAbsolute(doc.Profile().Path())), "Torvane.m3u");
}

bool AutoSaveList(CTorvaneDoc& doc) {
    if (!doc.Settings().CloseSave)
        return true;
    LeaveSearchMode(doc);
    const std::string path = AutoSavePath(doc);
    if (!doc.AllList().empty())
        return WritePlaylist(doc, path, {});
    // A kept list that cannot be deleted (a read-only folder) would come back at the next
    // start: that is reported like a list that cannot be written.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        doc.Host().ShowMessage(OpenFailedMessage, "error", MessageButtons::Ok);
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
