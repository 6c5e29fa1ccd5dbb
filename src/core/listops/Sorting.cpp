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

// A record's key and path key, folded. Two records compare as their keys do, and equal keys as
// their path keys, bytes taken as unsigned values (as CompareItems).
struct SortText {
    std::string_view Key;
    std::string_view PathKey;
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
        texts.push_back({text, key == ColFilePath ? text : all.substr(keyEnd, pathEnd - keyEnd)});
        start = pathEnd;
    }
    return texts;
}

// Ranks the texts without comparing them pair by pair: a comparison sort of a long list reads
// two texts scattered over a large buffer at every step, which costs a cache miss each time
// once the list outgrows the cache. Instead the positions are sorted by eight bytes of their
// text at a time, held beside them, and only the runs that are equal so far read their next
// eight bytes. Every text is read about once per eight bytes it shares with a neighbour.
class CTextRanker {
public:
    explicit CTextRanker(const std::vector<SortText>& texts)
        : m_Texts(texts), m_Items(texts.size()), m_Ranks(texts.size()) {
        for (size_t i = 0; i < m_Items.size(); ++i)
            m_Items[i].Position = static_cast<uint32_t>(i);
    }

    // Each position's rank: equal texts share one, and two ranks compare as their texts do.
    std::vector<uint32_t> Ranks() && {
        if (!m_Items.empty())
            RankRun(0, m_Items.size(), Field::Key, 0);
        return std::move(m_Ranks);
    }
    // After Ranks: how many different texts there are.
    uint32_t Distinct() const { return m_Next; }

private:
    enum class Field { Key, PathKey };

    // Eight bytes of a text from depth on, and how many of them the text has.
    struct Item {
        uint64_t Chunk;
        uint32_t Length;
        uint32_t Position;

        bool operator<(const Item& other) const {
            return Chunk != other.Chunk ? Chunk < other.Chunk : Length < other.Length;
        }
        bool SameAs(const Item& other) const {
            return Chunk == other.Chunk && Length == other.Length;
        }
    };

    std::string_view TextOf(uint32_t position, Field field) const {
        const SortText& text = m_Texts[position];
        return field == Field::Key ? text.Key : text.PathKey;
    }

    // The bytes as a big-endian number, zeros after the end: numbers compare as the bytes do,
    // and an end (a shorter length with the same number) sorts before any further byte.
    static uint64_t ChunkOf(std::string_view text, size_t depth) {
        uint64_t chunk = 0;
        const size_t end = std::min(text.size(), depth + 8);
        if (end <= depth)
            return 0;
        for (size_t k = depth; k < end; ++k)
            chunk = chunk << 8 | static_cast<unsigned char>(text[k]);
        return chunk << 8 * (depth + 8 - end);
    }

    // Positions lo..hi - 1 hold texts whose field agrees on its first depth bytes (and whose
    // key agrees wholly when the field is the path key); ranks them from m_Next on.
    void RankRun(size_t lo, size_t hi, Field field, size_t depth) {
        if (hi - lo == 1) {
            m_Ranks[m_Items[lo].Position] = m_Next++;
            return;
        }
        for (size_t i = lo; i < hi; ++i) {
            const std::string_view text = TextOf(m_Items[i].Position, field);
            m_Items[i].Chunk = ChunkOf(text, depth);
            m_Items[i].Length = static_cast<uint32_t>(std::min<size_t>(text.size() - depth, 8));
        }
        std::sort(m_Items.begin() + static_cast<ptrdiff_t>(lo),
                  m_Items.begin() + static_cast<ptrdiff_t>(hi));
        for (size_t start = lo; start < hi;) {
            size_t end = start + 1;
            while (end < hi && m_Items[end].SameAs(m_Items[start]))
                ++end;
            if (end - start == 1) {
                m_Ranks[m_Items[start].Position] = m_Next++;
            } else if (m_Items[start].Length == 8) {
                RankRun(start, end, field, depth + 8);
            } else if (field == Field::Key) {
                RankRun(start, end, Field::PathKey, 0);
            } else {
                for (size_t k = start; k < end; ++k)
                    m_Ranks[m_Items[k].Position] = m_Next;
                ++m_Next;
            }
            start = end;
        }
    }

    const std::vector<SortText>& m_Texts;
    std::vector<Item> m_Items;
    std::vector<uint32_t> m_Ranks;
    uint32_t m_Next = 0;
};

// Small enough that the passes move half the bytes a record pointer beside the rank would.
struct SortEntry {
    uint32_t Rank;
    uint32_t Index; // into the range's records before the sort
};

// Sorts positions lo..hi of a list as the two passes do. The key texts are built once and
// ranked once, and the passes compare ranks: a rank comparison has the sign of the text
// comparison, so every decision of the passes, and the outcome, is the one the texts give.
// Only equal texts make the steps matter, since their records keep the order the passes leave.
void SortRange(TrackList& list, size_t lo, size_t hi, int key, bool descending,
               const SortKeyContext& context, CProgress& progress) {
    std::string buffer;
    const std::vector<SortText> texts = BuildSortTexts(list, lo, hi, key, context, buffer);
    CTextRanker ranker(texts);
    const std::vector<uint32_t> ranks = std::move(ranker).Ranks();
    const std::vector<CListData*> records(list.begin() + static_cast<ptrdiff_t>(lo),
                                          list.begin() + static_cast<ptrdiff_t>(hi) + 1);
    // Without two equal texts the sorted order is the only one the ranks allow, whatever steps
    // lead there: each record goes straight to the place of its rank.
    if (ranker.Distinct() == ranks.size()) {
        progress.SetPos(50);
        const size_t last = ranks.size() - 1;
        for (size_t i = 0; i < ranks.size(); ++i)
            list[lo + (descending ? last - ranks[i] : ranks[i])] = records[i];
        progress.SetPos(100);
        return;
    }
    std::vector<SortEntry> entries;
    entries.reserve(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i)
        entries.push_back({ranks[i], static_cast<uint32_t>(i)});
    const auto compare = [](const SortEntry& a, const SortEntry& b) {
        return (a.Rank > b.Rank) - (a.Rank < b.Rank);
    };
    const auto last = static_cast<ptrdiff_t>(entries.size()) - 1;
    QuickSortPass(entries, 0, last, descending, compare);
    progress.SetPos(50);
    InsertionPass(entries, 0, last, descending, compare);
    progress.SetPos(100);
    for (size_t i = lo; i <= hi; ++i)
        list[i] = records[entries[i - lo].Index];
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
