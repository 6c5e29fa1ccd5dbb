#include "Sorting.h"

#include "SortPasses.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/Progress.h"
#include "core/doc/UiHost.h"

#include <string>

namespace torvane {
namespace {

void FoldAscii(std::string& text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
}

// A record with its key texts, folded once, so that comparisons are plain byte comparisons.
struct SortEntry {
    std::string_view Key;
    std::string_view PathKey;
    CListData* Record;
};

// Sorts positions lo..hi of a list with the two passes, building each key text once instead
// of at every comparison (the outcome is the same: the texts do not change during a sort).
void SortRange(TrackList& list, size_t lo, size_t hi, int key, bool descending,
               const SortKeyContext& context, CProgress& progress) {
    const size_t count = hi - lo + 1;
    std::vector<std::string> keys(count);
    std::vector<std::string> pathKeys(key == ColFilePath ? 0 : count);
    std::vector<SortEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        CListData* record = list[lo + i];
        keys[i] = SortKeyText(*record, key, context);
        FoldAscii(keys[i]);
        entries[i] = {keys[i], keys[i], record};
        if (key != ColFilePath) {
            pathKeys[i] = SortKeyText(*record, ColFilePath, context);
            FoldAscii(pathKeys[i]);
            entries[i].PathKey = pathKeys[i];
        }
    }
    // std::string_view compares bytes as unsigned values, as CompareSortTexts does.
    const auto compare = [](const SortEntry& a, const SortEntry& b) {
        const int r = a.Key.compare(b.Key);
        return r != 0 ? r : a.PathKey.compare(b.PathKey);
    };
    const auto last = static_cast<ptrdiff_t>(count) - 1;
    QuickSortPass(entries, 0, last, descending, compare);
    progress.SetPos(50);
    InsertionPass(entries, 0, last, descending, compare);
    progress.SetPos(100);
    for (size_t i = 0; i < count; ++i)
        list[lo + i] = entries[i].Record;
}

// Opens the progress window and the wait cursor around one sort, and redraws after it.
void RunSort(CTorvaneDoc& doc, size_t lo, size_t hi, int key, bool descending) {
    CUiHost& host = doc.Host();
    const auto progress = host.OpenProgress();
    progress->SetPos(0);
    host.SetWaitCursor(true);
    SortRange(doc.CurrentList(), lo, hi, key, descending, SortContextOf(doc), *progress);
    if (doc.View())
        doc.View()->Redraw();
    host.SetWaitCursor(false);
    progress->Close();
}

} // namespace

int CompareSortTexts(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
    };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int difference = fold(a[i]) - fold(b[i]);
        if (difference != 0)
            return difference;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int CompareItems(const CListData& a, const CListData& b, int key, const SortKeyContext& context) {
    const int r = CompareSortTexts(SortKeyText(a, key, context), SortKeyText(b, key, context));
    if (r != 0 || key == ColFilePath)
        return r;
    return CompareSortTexts(SortKeyText(a, ColFilePath, context),
                            SortKeyText(b, ColFilePath, context));
}

SortKeyContext SortContextOf(const CTorvaneDoc& doc) {
    return {doc.Settings().TagOf, doc.Settings().DisNum != 0};
}

void SortAll(CTorvaneDoc& doc, int key, bool descending) {
    if (doc.CurrentList().empty())
        return;
    RunSort(doc, 0, doc.CurrentList().size() - 1, key, descending);
}

RowSelection SortSelection(CTorvaneDoc& doc, std::span<const int> selected, int key,
                           bool descending) {
    const std::vector<int> rows = ValidRows(selected, doc.CurrentList().size());
    if (rows.size() < 2)
        return {rows};
    RowSelection result{GatherSelection(doc.CurrentList(), rows)};
    RunSort(doc, static_cast<size_t>(result.Rows.front()), static_cast<size_t>(result.Rows.back()),
            key, descending);
    return result;
}

bool CSortFlags::Take(int key) {
    if (key < 0 || key >= ColumnCount)
        return false;
    const bool descending = m_Descending[static_cast<size_t>(key)];
    m_Descending.fill(false);
    m_Descending[static_cast<size_t>(key)] = !descending;
    return descending;
}

} // namespace torvane
