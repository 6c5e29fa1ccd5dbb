#include "core/listops/Duplicates.h"

#include "core/base/Progress.h"
#include "core/doc/UiHost.h"
#include "core/listops/Search.h"
#include "core/listops/Selection.h"

#include <algorithm>
#include <functional>
#include <span>
#include <unordered_map>

namespace torvane {
namespace {

// What makes two distinct records duplicates: both read, same size and the same standard-mode
// title, artist and album, byte for byte.
struct ContentKey {
    int64_t Size;
    std::string_view Title;
    std::string_view Artist;
    std::string_view Album;
    bool operator==(const ContentKey&) const = default;
};

struct ContentKeyHash {
    size_t operator()(const ContentKey& key) const {
        size_t hash = std::hash<int64_t>()(key.Size);
        for (std::string_view text : {key.Title, key.Artist, key.Album})
            hash = hash * 1000003u ^ std::hash<std::string_view>()(text);
        return hash;
    }
};

// The records of a list sorted into duplicate groups. CompareForDuplicate is an equivalence:
// read records group by content, every other record only with itself (held in several slots),
// so one pass with hashing finds the same pairs as comparing every record with every later one.
// The members of all groups lie in one array, group by group, so that a long list costs no
// allocation per group.
class CDuplicateGroups {
public:
    explicit CDuplicateGroups(const TrackList& list) : m_GroupOf(list.size()) {
        std::unordered_map<ContentKey, size_t, ContentKeyHash> byContent;
        std::unordered_map<const CListData*, size_t> byRecord;
        byContent.reserve(list.size());
        std::vector<size_t> sizes;
        const TagMode mode = TagMode::Standard;
        for (size_t pos = 0; pos < list.size(); ++pos) {
            const CListData& record = *list[pos];
            const size_t next = sizes.size();
            const size_t group =
                record.Has(CListData::InfoRead)
                    ? byContent
                          .try_emplace({record.Size(), record.GetTitle(mode),
                                        record.GetArtist(mode), record.GetAlbum(mode)},
                                       next)
                          .first->second
                    : byRecord.try_emplace(&record, next).first->second;
            if (group == next)
                sizes.push_back(0);
            ++sizes[group];
            m_GroupOf[pos] = group;
        }
        m_Start.resize(sizes.size() + 1);
        for (size_t group = 0; group < sizes.size(); ++group)
            m_Start[group + 1] = m_Start[group] + sizes[group];
        // Filled in list order, so each group's positions ascend.
        std::vector<size_t> filled(m_Start.begin(), m_Start.end() - 1);
        m_Members.resize(list.size());
        for (size_t pos = 0; pos < list.size(); ++pos)
            m_Members[filled[m_GroupOf[pos]]++] = pos;
    }

    size_t Count() const { return m_GroupOf.size(); }
    // The positions of the group of the record at pos, ascending.
    std::span<const size_t> GroupAt(size_t pos) const {
        const size_t group = m_GroupOf[pos];
        return std::span<const size_t>(m_Members).subspan(m_Start[group],
                                                          m_Start[group + 1] - m_Start[group]);
    }

private:
    std::vector<size_t> m_GroupOf; // by position
    std::vector<size_t> m_Start;   // by group, and one past the last
    std::vector<size_t> m_Members; // positions, group by group
};

// The pairwise check reads every unread record during its first round of comparisons; this
// reads them up front, asking for a cancel before each as the comparisons would.
void ReadUnread(const TrackList& list, const CTextCodec& codec, CProgress& progress) {
    for (CListData* record : list) {
        if (record->Has(CListData::InfoRead))
            continue;
        if (progress.IsCancelled())
            return;
        record->ReadInfo(codec);
    }
}

// Walks the rounds of the pairwise check: round i takes the record at position i of the
// shrinking list (while i < n - 1), sets the progress to i * 100 / n, stops on a cancel, and
// hands visit the record's group; the group's later members leave the list.
void WalkRounds(const CDuplicateGroups& groups, CProgress& progress,
                const std::function<void(std::span<const size_t>)>& visit) {
    size_t n = groups.Count();
    std::vector<bool> gone(n);
    size_t round = 0;
    for (size_t pos = 0; pos < groups.Count() && round + 1 < n; ++pos) {
        if (gone[pos])
            continue;
        progress.SetPos(static_cast<int>(round * 100 / n));
        if (progress.IsCancelled())
            return;
        // pos is its group's first member: an earlier one would have taken it out.
        const std::span<const size_t> group = groups.GroupAt(pos);
        for (size_t k = 1; k < group.size(); ++k)
            gone[group[k]] = true;
        n -= group.size() - 1;
        visit(group);
        ++round;
    }
}

// Opens the progress window at 0, reads what is unread and walks the rounds (a list of fewer
// than two records has none).
std::unique_ptr<CProgress> CheckList(CTorvaneDoc& doc, const TrackList& list,
                                     const std::function<void(std::span<const size_t>)>& visit) {
    auto progress = doc.Host().OpenProgress();
    progress->SetPos(0);
    if (list.size() >= 2) {
        ReadUnread(list, doc.Codec(), *progress);
        WalkRounds(CDuplicateGroups(list), *progress, visit);
    }
    return progress;
}

void Report(CTorvaneDoc& doc, int count, std::chrono::steady_clock::time_point started) {
    const int seconds = ReportedSeconds(std::chrono::steady_clock::now() - started);
    doc.Host().ShowMessage(MessageKind::Report, DuplicateMessage(count, seconds),
                           MessageButtons::Ok);
}

} // namespace

int RemoveDuplicates(CTorvaneDoc& doc) {
    const auto started = std::chrono::steady_clock::now();
    TrackList& list = doc.CurrentList();
    std::vector<int> removed;
    const auto progress = CheckList(doc, list, [&](std::span<const size_t> group) {
        for (size_t k = 1; k < group.size(); ++k)
            removed.push_back(static_cast<int>(group[k]));
    });
    std::sort(removed.begin(), removed.end());
    RemoveRows(doc, list, removed);
    progress->Close();

    const int count = static_cast<int>(removed.size());
    Report(doc, count, started);
    doc.UpdateItemCount();
    return count;
}

int ListDuplicates(CTorvaneDoc& doc) {
    const auto started = std::chrono::steady_clock::now();
    const TrackList work = doc.CurrentList();
    TrackList found;
    const auto append = [&](CListData* record) {
        record->AddRef();
        found.push_back(record);
    };
    // Each group: its later members that are other records, then its first member.
    const auto progress = CheckList(doc, work, [&](std::span<const size_t> group) {
        if (group.size() < 2)
            return;
        CListData* first = work[group.front()];
        for (size_t k = 1; k < group.size(); ++k)
            if (work[group[k]] != first)
                append(work[group[k]]);
        append(first);
    });

    const int count = static_cast<int>(found.size());
    ReplaceSearchList(doc, std::move(found));
    progress->Close();
    Report(doc, count, started);
    return count;
}

CMessage DuplicateMessage(int count, int seconds) {
    if (count == 0)
        return CMessage(MessageId::NoDuplicates).Number(seconds);
    return CMessage(MessageId::DuplicatesFound).Number(count).Number(seconds);
}

int ReportedSeconds(std::chrono::steady_clock::duration elapsed) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count()) + 1;
}

} // namespace torvane
