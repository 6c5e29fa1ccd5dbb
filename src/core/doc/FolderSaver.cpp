#include "FolderSaver.h"

#include "Paths.h"
#include "PlaylistWriter.h"
#include "UiHost.h"

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

bool SaveEachFolder(CTorvaneDoc& doc, const FolderGroups& groups,
                    const FolderSaveOptions& options) {
    doc.Host().SetWaitCursor(true);
    bool allWritten = true;
    std::string index;
    for (const FolderGroup& group : groups.Groups) {
        if (!group.Ticked)
            continue;
        std::string text;
        for (size_t i = group.First; i < group.End; ++i) {
            const std::string& path = groups.Sorted[i]->FilePath();
            text += options.FullPaths ? path : std::string(LastComponent(path));
            text += "\r\n";
        }
        if (WriteOutputFile(doc, group.FileName, text))
            index += group.FileName + "\r\n";
        else
            allWritten = false;
    }
    if (options.IndexPath.size() > 4 && !WriteOutputFile(doc, options.IndexPath, index))
        allWritten = false;
    if (allWritten)
        doc.Host().ShowMessage("保存しました。", "確認", MessageButtons::Ok);
    doc.Host().SetWaitCursor(false);
    return allWritten;
}

} // namespace torvane
