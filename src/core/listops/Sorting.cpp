#include "Sorting.h"

#include "SortPasses.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/Progress.h"
#include "core/doc/UiHost.h"
#include "core/media/AsciiText.h"

#include <algorithm>
#include <string>

namespace torvane {
namespace {

// A record's key and path key, folded, and its position in the sorted range.
struct SortText {
    std::string_view Key;
    std::string_view PathKey;
    uint32_t Position;

    // As CompareItems: std::string_view compares bytes as unsigned values.
    int Compare(const SortText& other) const {
        const int r = Key.compare(other.Key);
        return r != 0 ? r : PathKey.compare(other.PathKey);
    }
};

// Builds the key texts of positions lo..hi once, into one buffer that the views point into.
std::vector<SortText> BuildSortTexts(const TrackList& list, size_t lo, size_t hi, int key,
                                     const SortKeyContext& context, std::string& buffer) {
    const size_t count = hi - lo + 1;
    std::vector<size_t> ends;
    ends.reserve(2 * count);
    buffer.reserve(count * (key == ColFilePath ? 64 : 96));
    for (size_t i = lo; i <= hi; ++i) {
        AppendSortKey(*list[i], key, context, buffer);
        ends.push_back(buffer.size());
        if (key != ColFilePath)
            AppendSortKey(*list[i], ColFilePath, context, buffer);
        ends.push_back(buffer.size());
    }
    LowerAsciiInPlace(buffer);
    const std::string_view all = buffer;
    std::vector<SortText> texts;
    texts.reserve(count);
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t keyEnd = ends[2 * i];
        const size_t pathEnd = ends[2 * i + 1];
        const std::string_view text = all.substr(start, keyEnd - start);
        texts.push_back({text, key == ColFilePath ? text : all.substr(keyEnd, pathEnd - keyEnd),
                         static_cast<uint32_t>(i)});
        start = pathEnd;
    }
    return texts;
}

// Each position's rank among the texts: equal texts share one, and two ranks compare as their
// texts do.
std::vector<uint32_t> Ranks(std::vector<SortText> texts) {
    std::sort(texts.begin(), texts.end(),
              [](const SortText& a, const SortText& b) { return a.Compare(b) < 0; });
    std::vector<uint32_t> ranks(texts.size());
    uint32_t rank = 0;
    for (size_t k = 0; k < texts.size(); ++k) {
        if (k > 0 && texts[k - 1].Compare(texts[k]) != 0)
            ++rank;
        ranks[texts[k].Position] = rank;
    }
    return ranks;
}

struct SortEntry {
    uint32_t Rank;
    CListData* Record;
};

// Sorts positions lo..hi of a list with the two passes. The key texts are built once and
// ranked once, and the passes compare ranks: a rank comparison has the sign of the text
// comparison, so every decision of the passes, and the outcome, is the one the texts give.
void SortRange(TrackList& list, size_t lo, size_t hi, int key, bool descending,
               const SortKeyContext& context, CProgress& progress) {
    std::string buffer;
    const std::vector<uint32_t> ranks = Ranks(BuildSortTexts(list, lo, hi, key, context, buffer));
    std::vector<SortEntry> entries;
    entries.reserve(ranks.size());
    for (size_t i = lo; i <= hi; ++i)
        entries.push_back({ranks[i - lo], list[i]});
    const auto compare = [](const SortEntry& a, const SortEntry& b) {
        return (a.Rank > b.Rank) - (a.Rank < b.Rank);
    };
    const auto last = static_cast<ptrdiff_t>(entries.size()) - 1;
    QuickSortPass(entries, 0, last, descending, compare);
    progress.SetPos(50);
    InsertionPass(entries, 0, last, descending, compare);
    progress.SetPos(100);
    for (size_t i = lo; i <= hi; ++i)
        list[i] = entries[i - lo].Record;
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
