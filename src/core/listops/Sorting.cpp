#include "core/listops/Sorting.h"

#include "core/base/AsciiText.h"
#include "core/base/Progress.h"
#include "core/doc/ListViewPort.h"
#include "core/doc/UiHost.h"
#include "core/listops/ScratchAllocator.h"
#include "core/listops/SortPasses.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace torvane {
namespace {

// Where a record's key and path key lie in the key buffer, folded: the path key follows the key
// (and is empty when the key is the path itself). Two records compare as their keys do, and
// equal keys as their path keys, bytes taken as unsigned values (as CompareItems).
struct SortText {
    size_t Start;
    uint32_t KeyLength;
    uint32_t PathLength;
};

// Builds the key texts of positions lo..hi once, one after another into one buffer.
ScratchVector<SortText> BuildSortTexts(const TrackList& list, size_t lo, size_t hi, ColumnKey key,
                                       const SortKeyContext& context, ScratchVector<char>& buffer) {
    ScratchVector<SortText> texts;
    texts.reserve(hi - lo + 1);
    buffer.reserve((hi - lo + 1) * (key == ColFilePath ? 64 : 96));
    std::string text;
    for (size_t i = lo; i <= hi; ++i) {
        text.clear();
        AppendSortKey(*list[i], key, context, text);
        const size_t keyLength = text.size();
        if (key != ColFilePath)
            AppendSortKey(*list[i], ColFilePath, context, text);
        LowerAsciiInPlace(text);
        texts.push_back({buffer.size(), static_cast<uint32_t>(keyLength),
                         static_cast<uint32_t>(text.size() - keyLength)});
        buffer.insert(buffer.end(), text.begin(), text.end());
    }
    return texts;
}

// Ranks the texts without comparing them pair by pair: a comparison sort of a long list reads
// two texts scattered over a large buffer at every step, which costs a cache miss each time
// once the list outgrows the cache. Instead the positions are sorted by eight bytes of their
// text at a time, held beside them, and only the runs that are equal so far read their next
// eight bytes. Every text is read about once per eight bytes it shares with a neighbour, and
// those reads are announced to the processor a few items ahead, so that they overlap.
class CTextRanker {
public:
    CTextRanker(const ScratchVector<SortText>& texts, const char* buffer)
        : m_Texts(texts), m_Buffer(buffer), m_Items(texts.size()), m_Ranks(texts.size()) {
        for (size_t i = 0; i < m_Items.size(); ++i)
            m_Items[i].Position = static_cast<uint32_t>(i);
    }

    // Each position's rank: equal texts share one, and two ranks compare as their texts do.
    // Asked once: the ranks are handed over.
    ScratchVector<uint32_t> Ranks() {
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

    // How far ahead the reads of a run are announced: the text's place first, then its bytes.
    static constexpr size_t Ahead = 8;

    std::string_view TextOf(uint32_t position, Field field) const {
        const SortText& text = m_Texts[position];
        const char* key = m_Buffer + text.Start;
        return field == Field::Key ? std::string_view(key, text.KeyLength)
                                   : std::string_view(key + text.KeyLength, text.PathLength);
    }

    void Prefetch(size_t i, size_t hi, Field field, size_t depth) const {
        if (i + 2 * Ahead < hi)
            __builtin_prefetch(&m_Texts[m_Items[i + 2 * Ahead].Position]);
        if (i + Ahead < hi)
            __builtin_prefetch(TextOf(m_Items[i + Ahead].Position, field).data() + depth);
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
            Prefetch(i, hi, field, depth);
            const std::string_view text = TextOf(m_Items[i].Position, field);
            m_Items[i].Chunk = ChunkOf(text, depth);
            m_Items[i].Length = static_cast<uint32_t>(std::min<size_t>(text.size() - depth, 8));
        }
        // Runs often come in order already (a common prefix such as the music folder, or a
        // list sorted before), and then keep the order of the texts in the buffer too.
        const auto first = m_Items.begin() + static_cast<ptrdiff_t>(lo);
        const auto last = m_Items.begin() + static_cast<ptrdiff_t>(hi);
        if (!std::is_sorted(first, last))
            std::sort(first, last);
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

    const ScratchVector<SortText>& m_Texts;
    const char* m_Buffer;
    ScratchVector<Item> m_Items;
    ScratchVector<uint32_t> m_Ranks;
    uint32_t m_Next = 0;
};

// The rank of each of positions lo..hi, and how many different ranks there are. The key texts
// are freed before the sort goes on.
ScratchVector<uint32_t> RankSortTexts(const TrackList& list, size_t lo, size_t hi, ColumnKey key,
                                      const SortKeyContext& context, uint32_t& distinct) {
    ScratchVector<char> buffer;
    const ScratchVector<SortText> texts = BuildSortTexts(list, lo, hi, key, context, buffer);
    CTextRanker ranker(texts, buffer.data());
    ScratchVector<uint32_t> ranks = ranker.Ranks();
    distinct = ranker.Distinct();
    return ranks;
}

// Small enough that the passes move half the bytes a record pointer beside the rank would.
struct SortEntry {
    uint32_t Rank;
    uint32_t Index; // into the range's records before the sort
};

// The second pass: adjacent swaps from left to right, each entry moving left past every entry
// that sorts after it and never past an equal one. That is a stable sort, whose outcome is
// unique; over ranks below distinct a counting sort gives it in linear time.
void StableSortByRank(ScratchVector<SortEntry>& entries, uint32_t distinct, bool descending) {
    const auto slot = [&](const SortEntry& entry) {
        return descending ? distinct - 1 - entry.Rank : entry.Rank;
    };
    ScratchVector<uint32_t> starts(size_t{distinct} + 1, 0);
    for (const SortEntry& entry : entries)
        ++starts[slot(entry) + 1];
    for (size_t i = 1; i < starts.size(); ++i)
        starts[i] += starts[i - 1];
    ScratchVector<SortEntry> sorted(entries.size());
    for (const SortEntry& entry : entries)
        sorted[starts[slot(entry)]++] = entry;
    entries.swap(sorted);
}

// Sorts positions lo..hi of a list as the two passes do. The key texts are built once and
// ranked once, and the passes compare ranks: a rank comparison has the sign of the text
// comparison, so every decision of the passes, and the outcome, is the one the texts give.
// Only equal texts make the steps matter, since their records keep the order the passes leave.
void SortRange(TrackList& list, size_t lo, size_t hi, ColumnKey key, bool descending,
               const SortKeyContext& context, CProgress& progress) {
    uint32_t distinct = 0;
    const ScratchVector<uint32_t> ranks = RankSortTexts(list, lo, hi, key, context, distinct);
    const ScratchVector<CListData*> records(list.begin() + static_cast<ptrdiff_t>(lo),
                                            list.begin() + static_cast<ptrdiff_t>(hi) + 1);
    // Without two equal texts the sorted order is the only one the ranks allow, whatever steps
    // lead there: each record goes straight to the place of its rank.
    if (distinct == ranks.size()) {
        progress.SetPos(50);
        const size_t last = ranks.size() - 1;
        for (size_t i = 0; i < ranks.size(); ++i)
            list[lo + (descending ? last - ranks[i] : ranks[i])] = records[i];
        progress.SetPos(100);
        return;
    }
    ScratchVector<SortEntry> entries;
    entries.reserve(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i)
        entries.push_back({ranks[i], static_cast<uint32_t>(i)});
    const auto compare = [](const SortEntry& a, const SortEntry& b) { return a.Rank <=> b.Rank; };
    QuickSortPass(entries, 0, static_cast<ptrdiff_t>(entries.size()) - 1, descending, compare);
    progress.SetPos(50);
    StableSortByRank(entries, distinct, descending);
    progress.SetPos(100);
    for (size_t i = lo; i <= hi; ++i)
        list[i] = records[entries[i - lo].Index];
}

// Opens the progress window and the wait cursor around one sort, and redraws after it.
void RunSort(CTorvaneDoc& doc, size_t lo, size_t hi, ColumnKey key, bool descending) {
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

std::strong_ordering CompareSortTexts(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
    };
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const std::strong_ordering r = fold(a[i]) <=> fold(b[i]);
        if (r != 0)
            return r;
    }
    return a.size() <=> b.size();
}

std::strong_ordering CompareItems(const CListData& a, const CListData& b, ColumnKey key,
                                  const SortKeyContext& context) {
    const std::strong_ordering r =
        CompareSortTexts(SortKeyText(a, key, context), SortKeyText(b, key, context));
    if (r != 0 || key == ColFilePath)
        return r;
    return CompareSortTexts(SortKeyText(a, ColFilePath, context),
                            SortKeyText(b, ColFilePath, context));
}

SortKeyContext SortContextOf(const CTorvaneDoc& doc) {
    return {doc.Settings().TagOf, doc.Settings().DisNum};
}

void SortAll(CTorvaneDoc& doc, ColumnKey key, bool descending) {
    if (doc.CurrentList().empty())
        return;
    RunSort(doc, 0, doc.CurrentList().size() - 1, key, descending);
}

RowSelection SortSelection(CTorvaneDoc& doc, std::span<const int> selected, ColumnKey key,
                           bool descending) {
    const std::vector<int> rows = ValidRows(selected, doc.CurrentList().size());
    if (rows.size() < 2)
        return {rows};
    RowSelection result{GatherSelection(doc.CurrentList(), rows)};
    RunSort(doc, static_cast<size_t>(result.Rows.front()), static_cast<size_t>(result.Rows.back()),
            key, descending);
    return result;
}

bool CSortFlags::Take(ColumnKey key) {
    if (key < 0 || key >= ColumnCount)
        return false;
    const bool descending = m_Descending[static_cast<size_t>(key)];
    m_Descending.fill(false);
    m_Descending[static_cast<size_t>(key)] = !descending;
    return descending;
}

} // namespace torvane
