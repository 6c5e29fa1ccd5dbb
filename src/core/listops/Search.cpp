#include "core/listops/Search.h"

#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"
#include "core/listops/Selection.h"

#include <sys/stat.h>

namespace torvane {
namespace {

// "存在する" / "存在しない": a folder counts as existing.
bool PassesExistence(const CListData& record, FileExistence existence) {
    if (existence != FileExistence::Exists && existence != FileExistence::Missing)
        return true;
    struct stat st {};
    const bool exists = ::stat(record.FilePath().c_str(), &st) == 0;
    return exists == (existence == FileExistence::Exists);
}

bool WithinBound(int64_t value, int64_t bound, Bound kind) {
    return kind == Bound::AtMost ? value <= bound : value >= bound;
}

} // namespace

std::string_view GetSearchText(const CListData& record, SearchTarget target, TagMode tagMode) {
    switch (target) {
    case SearchTarget::Path:
        return record.FilePath();
    case SearchTarget::FileName:
        return record.FileName();
    case SearchTarget::Title:
        return record.GetTitle(tagMode);
    case SearchTarget::Artist:
        return record.GetArtist(tagMode);
    case SearchTarget::Album:
        return record.GetAlbum(tagMode);
    case SearchTarget::Comment:
        return record.GetComment(tagMode);
    }
    return {};
}

bool MatchConditions(const CListData& record, const SearchRequest& request) {
    if (request.useExtension && record.Ext() != request.extension)
        return false;
    if (request.useBitRate) {
        // At most 0 means a variable bit rate only (also held by records not read yet: -1).
        if (request.bitRateAtMost == Bound::AtMost && request.bitRate == 0) {
            if (record.BitRate() != -1)
                return false;
        } else if (!WithinBound(record.BitRate(), request.bitRate, request.bitRateAtMost)) {
            return false;
        }
    }
    if (request.useSamplingRate &&
        !WithinBound(record.SamplingRate(), request.samplingRate, request.samplingRateAtMost))
        return false;
    // A 32-bit count of KB times 1024 always fits the 64-bit byte sizes, so every bound can be
    // compared in bytes.
    if (request.useSize &&
        !WithinBound(record.Size(), int64_t{request.sizeKB} * 1024, request.sizeAtMost))
        return false;
    if (request.useTime && !WithinBound(record.Time(), request.timeSec, request.timeAtMost))
        return false;
    return true;
}

void RunSearch(CTorvaneDoc& doc, const SearchRequest& request) {
    const auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    const TrackList& source =
        request.source == SearchSource::SearchList ? doc.SearchList() : doc.AllList();
    const TagMode tagMode = doc.Settings().TagOf;
    TrackList result;
    const size_t n = source.size();
    for (size_t i = 0; i < n; ++i) {
        progress->SetPos(static_cast<int>(i * 100 / n));
        CListData* record = source[i];
        if (!MatchConditions(*record, request) ||
            !MatchTerms(GetSearchText(*record, request.target, tagMode), request.terms,
                        request.exclude) ||
            !PassesExistence(*record, request.existence))
            continue;
        // Counted before the old results are released, so narrowed records live on.
        record->AddRef();
        result.push_back(record);
    }

    CListViewPort* view = doc.View();
    if (view)
        view->SetItemCount(0);
    ReplaceSearchList(doc, std::move(result));
    if (view)
        view->Redraw();
    progress->Close();
}

void ReplaceSearchList(CTorvaneDoc& doc, TrackList list) {
    TrackList& searchList = doc.SearchList();
    for (size_t i = 0; i < searchList.size(); ++i)
        doc.ReleaseItem(searchList, i);
    searchList = std::move(list);
    if (!doc.SearchMode())
        ToggleSearchMode(doc);
    doc.UpdateItemCount();
}

void ToggleSearchMode(CTorvaneDoc& doc) {
    doc.SetSearchMode(!doc.SearchMode());
    doc.UpdateItemCount();
    if (CListViewPort* view = doc.View()) {
        view->SelectRows({});
        view->UpdateSelectionTexts();
    }
}

void AddSelectionToOtherList(CTorvaneDoc& doc, std::span<const int> selected) {
    TrackList& current = doc.CurrentList();
    TrackList& other = doc.SearchMode() ? doc.AllList() : doc.SearchList();
    for (int row : ValidRows(selected, current.size())) {
        CListData* record = current[static_cast<size_t>(row)];
        record->AddRef();
        other.push_back(record);
    }
}

} // namespace torvane
