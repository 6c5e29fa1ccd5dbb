#include "TagCache.h"

#include "AtomicFile.h"
#include "Paths.h"
#include "core/media/ByteReader.h"
#include "core/media/ListData.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace torvane {
namespace {

// "TVNTAGC" and the format version: a file of another version is not read.
constexpr std::string_view Magic = "TVNTAGC\x02";

// The texts of one entry in their stored order: type, the two rate texts, then the standard
// and the extended tag set.
constexpr size_t TextCount = 17;

template <typename Facts, typename Visit> void ForEachText(Facts& tags, Visit visit) {
    for (auto* set : {&tags.Std, &tags.Ext}) {
        visit(set->Title);
        visit(set->Artist);
        visit(set->Album);
        visit(set->Comment);
        visit(set->Year);
        visit(set->TrackNum);
        visit(set->Genre);
    }
}

// One entry as it stands in the file, its texts seen in place.
struct EntryView {
    std::string_view Path;
    FileStamp Stamp;
    uint32_t LastUsed = 0;
    uint32_t State = 0;
    uint8_t Texts = 0;
    int64_t Size = 0;
    int32_t Time = 0, BitRate = 0, SamplingRate = 0, TagSets = 0;
    std::array<std::string_view, TextCount> Strings;
};

std::string_view ReadText(CByteReader& reader) {
    return reader.Text(reader.U16LE());
}

bool ReadEntry(CByteReader& reader, EntryView& entry) {
    entry.Path = ReadText(reader);
    entry.Stamp.Size = static_cast<int64_t>(reader.U64LE());
    entry.Stamp.ModifiedNs = static_cast<int64_t>(reader.U64LE());
    entry.LastUsed = reader.U32LE();
    entry.State = reader.U8();
    entry.Texts = reader.U8();
    entry.Size = static_cast<int64_t>(reader.U64LE());
    entry.Time = static_cast<int32_t>(reader.U32LE());
    entry.BitRate = static_cast<int32_t>(reader.U32LE());
    entry.SamplingRate = static_cast<int32_t>(reader.U32LE());
    entry.TagSets = static_cast<int32_t>(reader.U32LE());
    for (std::string_view& text : entry.Strings)
        text = ReadText(reader);
    return reader.Ok() && !entry.Path.empty();
}

// Fills cached, a fresh one, with the entry's facts: the texts are made in place.
void FactsOf(const EntryView& entry, CachedFacts& cached) {
    cached.State = entry.State;
    TrackFacts& facts = cached.Facts;
    facts.Texts = entry.Texts;
    facts.Size = entry.Size;
    facts.Time = entry.Time;
    facts.BitRate = entry.BitRate;
    facts.SamplingRate = entry.SamplingRate;
    facts.TagSets = entry.TagSets;
    facts.Type = &PooledText(entry.Strings[0]);
    facts.BitRateText = &PooledText(entry.Strings[1]);
    facts.SamplingRateText = &PooledText(entry.Strings[2]);
    size_t next = 3;
    ForEachText(facts, [&](std::string& text) { text = entry.Strings[next++]; });
}

// Appends the cache's little-endian fields.
class CCacheWriter {
public:
    explicit CCacheWriter(std::string& out) : m_Out(out) {}

    void Unsigned(uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            m_Out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    void Text(std::string_view text) {
        Unsigned(text.size(), 2);
        m_Out += text;
    }
    void Entry(std::string_view path, const FileStamp& stamp, uint32_t lastUsed,
               const CachedFacts& cached) {
        const TrackFacts& facts = cached.Facts;
        Text(path);
        Unsigned(static_cast<uint64_t>(stamp.Size), 8);
        Unsigned(static_cast<uint64_t>(stamp.ModifiedNs), 8);
        Unsigned(lastUsed, 4);
        Unsigned(cached.State, 1);
        Unsigned(facts.Texts, 1);
        Unsigned(static_cast<uint64_t>(facts.Size), 8);
        Unsigned(static_cast<uint32_t>(facts.Time), 4);
        Unsigned(static_cast<uint32_t>(facts.BitRate), 4);
        Unsigned(static_cast<uint32_t>(facts.SamplingRate), 4);
        Unsigned(static_cast<uint32_t>(facts.TagSets), 4);
        Text(*facts.Type);
        Text(*facts.BitRateText);
        Text(*facts.SamplingRateText);
        ForEachText(facts, [&](const std::string& text) { Text(text); });
    }
    // An entry copied as it stands, with its last use renewed.
    void Entry(const EntryView& entry, uint32_t lastUsed) {
        CachedFacts cached;
        FactsOf(entry, cached);
        Entry(entry.Path, entry.Stamp, lastUsed, cached);
    }

private:
    std::string& m_Out;
};

uint64_t PathHash(std::string_view path) {
    return std::hash<std::string_view>{}(path);
}

// Every text of an entry must fit its 16-bit length.
bool Storable(std::string_view path, const CachedFacts& cached) {
    constexpr size_t limit = std::numeric_limits<uint16_t>::max();
    bool fits = path.size() <= limit && cached.Facts.Type->size() <= limit &&
                cached.Facts.BitRateText->size() <= limit &&
                cached.Facts.SamplingRateText->size() <= limit;
    ForEachText(cached.Facts,
                [&](const std::string& text) { fits = fits && text.size() <= limit; });
    return fits;
}

} // namespace

CTagCache::CTagCache(std::string path, std::string codePage, size_t maxEntries)
    : m_Path(std::move(path)), m_CodePage(std::move(codePage)), m_MaxEntries(maxEntries) {}

void CTagCache::Load() {
    std::call_once(m_Loaded, [this] {
        if (ReadWholeFile(m_Path, m_Bytes, MaxTagCacheBytes) != WholeFileRead::Ok ||
            !Parse(m_Bytes)) {
            m_Slots.clear();
            m_EntryOffsets.clear();
            std::string().swap(m_Bytes);
        }
        m_Found = std::vector<std::atomic<bool>>(m_EntryOffsets.size());
    });
}

bool CTagCache::Parse(std::string_view bytes) {
    CByteReader reader({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    if (reader.Text(Magic.size()) != Magic || ReadText(reader) != m_CodePage)
        return false;
    const uint32_t lastRun = reader.U32LE();
    const uint32_t count = reader.U32LE();
    if (!reader.Ok() || lastRun == std::numeric_limits<uint32_t>::max())
        return false;
    m_Run = lastRun + 1;
    const size_t expected = std::min<size_t>(count, bytes.size() / 64);
    m_EntryOffsets.reserve(expected);
    for (uint32_t i = 0; i < count; ++i) {
        const auto offset = static_cast<uint32_t>(bytes.size() - reader.Remaining());
        EntryView entry;
        if (!ReadEntry(reader, entry))
            return false;
        m_EntryOffsets.push_back(offset);
    }
    if (reader.Remaining() != 0)
        return false;
    m_Slots.assign(std::bit_ceil(2 * m_EntryOffsets.size() + 1), 0);
    for (uint32_t i = 0; i < m_EntryOffsets.size(); ++i)
        Index(i);
    return true;
}

std::string_view CTagCache::PathAt(uint32_t index) const {
    CByteReader reader({reinterpret_cast<const uint8_t*>(m_Bytes.data()), m_Bytes.size()});
    reader.Seek(m_EntryOffsets[index]);
    return ReadText(reader);
}

size_t CTagCache::SlotOf(std::string_view path, uint64_t hash) const {
    // At most half the slots are taken, so an empty one ends every search.
    const size_t mask = m_Slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t held = m_Slots[slot];
        if (held == 0 ||
            ((held ^ hash) >> 32 == 0 && PathAt(static_cast<uint32_t>(held) - 1) == path))
            return slot;
    }
}

void CTagCache::Index(uint32_t index) {
    const std::string_view path = PathAt(index);
    const uint64_t hash = PathHash(path);
    m_Slots[SlotOf(path, hash)] = (hash >> 32 << 32) | (uint64_t{index} + 1);
}

int64_t CTagCache::EntryOf(std::string_view path) const {
    if (m_Slots.empty())
        return -1;
    const uint64_t held = m_Slots[SlotOf(path, PathHash(path))];
    return static_cast<int64_t>(held & 0xFFFFFFFF) - 1;
}

bool CTagCache::Find(const std::string& path, const FileStamp& stamp, CachedFacts& facts) {
    Load();
    // What was stored in this run comes first. Until something is, the lock is not needed:
    // the entries read from the file never change once loaded.
    if (m_StoredCount.load() > 0) {
        const std::lock_guard guard(m_Lock);
        if (const auto stored = m_Stored.find(path); stored != m_Stored.end()) {
            if (stored->second.Stamp != stamp)
                return false;
            facts = stored->second.Facts;
            return true;
        }
    }
    const int64_t found = EntryOf(path);
    if (found < 0)
        return false;
    const auto index = static_cast<size_t>(found);
    CByteReader reader({reinterpret_cast<const uint8_t*>(m_Bytes.data()), m_Bytes.size()});
    reader.Seek(m_EntryOffsets[index]);
    EntryView entry;
    if (!ReadEntry(reader, entry) || entry.Stamp != stamp)
        return false;
    FactsOf(entry, facts);
    // Readers on several threads: writing the shared flags only when they change keeps their
    // cache lines from passing back and forth between the processors.
    if (!m_Found[index].load(std::memory_order_relaxed))
        m_Found[index].store(true, std::memory_order_relaxed);
    if (!m_Changed.load(std::memory_order_relaxed))
        m_Changed.store(true);
    return true;
}

void CTagCache::Store(const std::string& path, const FileStamp& stamp, const CachedFacts& facts) {
    if (!Storable(path, facts))
        return;
    const std::lock_guard guard(m_Lock);
    Load();
    m_Stored[path] = Entry{stamp, facts};
    m_StoredCount.store(m_Stored.size());
    m_Changed.store(true);
}

bool CTagCache::Save(std::string* error) {
    const std::lock_guard guard(m_Lock);
    if (!m_Changed)
        return true;
    // This run's entries first, then the file's, the most recently used first, up to the bound.
    struct Kept {
        uint32_t Offset;
        uint32_t LastUsed;
    };
    std::vector<Kept> kept;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(m_Bytes.data()),
                                         m_Bytes.size());
    // In the file's order, which is the order the files are usually looked up in: entries
    // read one after another then lie side by side in memory.
    for (uint32_t index = 0; index < m_EntryOffsets.size(); ++index) {
        const uint32_t offset = m_EntryOffsets[index];
        CByteReader reader(bytes);
        reader.Seek(offset);
        EntryView entry;
        ReadEntry(reader, entry);
        // A path stored again in this run, or found twice in the file, is written once.
        if (m_Stored.count(entry.Path) != 0 || EntryOf(entry.Path) != index)
            continue;
        const bool found = m_Found[index].load(std::memory_order_relaxed);
        kept.push_back({offset, found ? m_Run : entry.LastUsed});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Kept& a, const Kept& b) { return a.LastUsed > b.LastUsed; });
    const size_t room = m_MaxEntries > m_Stored.size() ? m_MaxEntries - m_Stored.size() : 0;
    if (kept.size() > room)
        kept.resize(room);

    std::string out;
    CCacheWriter writer(out);
    out += Magic;
    writer.Text(m_CodePage);
    writer.Unsigned(m_Run, 4);
    writer.Unsigned(std::min(m_Stored.size(), m_MaxEntries) + kept.size(), 4);
    size_t written = 0;
    for (const auto& [path, entry] : m_Stored) {
        if (written++ == m_MaxEntries)
            break;
        writer.Entry(path, entry.Stamp, m_Run, entry.Facts);
    }
    for (const Kept& k : kept) {
        CByteReader reader(bytes);
        reader.Seek(k.Offset);
        EntryView entry;
        ReadEntry(reader, entry);
        writer.Entry(entry, k.LastUsed);
    }
    std::string message;
    if (!CreateParentFolders(m_Path, message) || !WriteFileAtomically(m_Path, out, message)) {
        if (error)
            *error = message;
        return false;
    }
    m_Changed.store(false);
    return true;
}

FileReading ReadWithCache(CTagCache* cache, const std::string& path, const std::string& ext,
                          const CTextCodec& codec, int folder) {
    FileReading reading;
    // The kept facts are decoded straight into the reading: a record takes them with one move.
    if (cache && QueryFileStamp(path, reading.Stamp, folder) &&
        cache->Find(path, reading.Stamp, reading.Info.emplace<CachedFacts>())) {
        reading.Found = true;
        return reading;
    }
    reading = ReadTrackFile(path, ext, codec);
    return reading;
}

bool Keepable(const FileReading& reading, const CTagCache* cache) {
    return cache && reading.Found && reading.Settled &&
           !std::holds_alternative<CachedFacts>(reading.Info);
}

void ApplyNewReading(CListData& record, FileReading&& reading, CTagCache* cache) {
    const bool keep = Keepable(reading, cache);
    const FileStamp stamp = reading.Stamp;
    record.ApplyReading(std::move(reading));
    if (keep)
        cache->Store(record.FilePath(), stamp, record.FactsAfterReading());
}

} // namespace torvane
