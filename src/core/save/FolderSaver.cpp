#include "core/save/FolderSaver.h"

#include "core/base/Paths.h"
#include "core/base/TextOutput.h"
#include "core/doc/UiHost.h"
#include "core/save/PlaylistWriter.h"

#include <algorithm>

namespace torvane {

FolderGroups GroupByFolder(const TrackList& list) {
    // Each record's folder, computed once for the sort and the cut.
    std::vector<std::pair<std::string, const CListData*>> keyed;
    keyed.reserve(list.size());
    for (const CListData* record : list)
        keyed.emplace_back(FolderOf(record->FilePath()), record);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    FolderGroups result;
    for (size_t i = 0; i < keyed.size(); ++i) {
        const std::string& folder = keyed[i].first;
        result.Sorted.push_back(keyed[i].second);
        if (i == 0 || folder != keyed[i - 1].first) {
            const std::string name(LastComponent(folder));
            result.Groups.push_back({JoinPath(folder, name + ".m3u"), i, i, true});
        }
        result.Groups.back().End = i + 1;
    }
    return result;
}

namespace {

// A bare file name as a line of its folder's playlist. A name that a reader would take for a
// comment ("#...") or trim (leading blanks) is written as "./name", which names the same file.
std::string BareNameLine(std::string_view name) {
    const bool guarded =
        !name.empty() && (name.front() == '#' || name.front() == ' ' || name.front() == '\t');
    return guarded ? "./" + std::string(name) : std::string(name);
}

} // namespace

bool SaveEachFolder(CTorvaneDoc& doc, const FolderGroups& groups,
                    const FolderSaveOptions& options) {
    doc.Host().SetWaitCursor(true);
    bool allWritten = true;
    std::string index;
    std::vector<std::string> broken; // names with a line break: their group is not written
    for (const FolderGroup& group : groups.Groups) {
        if (!group.Ticked)
            continue;
        bool writable = !HasLineBreak(group.FileName);
        for (size_t i = group.First; i < group.End; ++i) {
            const std::string& path = groups.Sorted[i]->FilePath();
            if (HasLineBreak(path)) {
                broken.push_back(path);
                writable = false;
            }
        }
        const auto writeLines = [&](CTextOutput& out) {
            for (size_t i = group.First; i < group.End; ++i) {
                const std::string& path = groups.Sorted[i]->FilePath();
                if (options.FullPaths)
                    out.Write(path);
                else
                    out.Write(BareNameLine(LastComponent(path)));
                out.Write("\r\n");
            }
            return true;
        };
        if (!writable) {
            if (HasLineBreak(group.FileName))
                broken.push_back(group.FileName);
            allWritten = false;
        } else if (WriteOutputFile(doc, group.FileName, writeLines)) {
            index += group.FileName + "\r\n";
        } else {
            allWritten = false;
        }
    }
    if (!broken.empty())
        ReportLineBreaks(doc, broken);
    // When not one playlist could be written, the previous index stays: it still names the
    // playlists that are there.
    const bool nothingWritten = index.empty() && !allWritten;
    if (options.IndexPath.size() > 4 && !nothingWritten &&
        !WriteOutputFile(doc, options.IndexPath, [&](CTextOutput& out) {
            out.Write(index);
            return true;
        }))
        allWritten = false;
    if (allWritten)
        doc.Host().ShowMessage(MessageKind::Confirmation, MessageId::Saved, MessageButtons::Ok);
    doc.Host().SetWaitCursor(false);
    return allWritten;
}

} // namespace torvane
