#include "core/reading/TagCache.h"

#include "core/base/AtomicFile.h"
#include "core/base/ByteReader.h"
#include "core/base/Paths.h"
#include "core/record/ListData.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

namespace torvane {
namespace {

// "TVNTAGC" and the format version: a file of another version is not read.
constexpr std::string_view Magic = "TVNTAGC\x03";

// Each entry is its check (8 bytes), the length of its body (4 bytes) and the body; the check
// covers the length and the body.
constexpr size_t CheckBytes = 8;
constexpr size_t EntryHeadBytes = CheckBytes + 4;
// The smallest body: an empty path, the stamp, the numbers and the lengths of empty texts.
constexpr size_t MinimumBodyBytes = 2 + 5 * 8 + 4 + 2 + 8 + 4 * 4 + 17 * 2;

// The state bits and shown texts a reading can set: a cached entry never brings others (a
// record marked missing or playing).
constexpr uint32_t ReadStateBits = CListData::SizeRead | CListData::InfoRead;
constexpr uint8_t ReadTextBits = TrackFacts::SizeShown | TrackFacts::TimeShown;

// A 64-bit check of bytes, eight at a time. Each step maps the running value one to one, for a
// given word and for a given running value alike, so a change within any one eight-byte word
// (any flipped bit) always changes the result; the end mixes every bit into every other. Words
// are taken in the machine's order: a file carried to a machine of the other order is simply
// not believed.
uint64_t Checksum(std::string_view bytes, uint64_t seed) {
    constexpr uint64_t Odd = 0x9E3779B97F4A7C15;
    uint64_t hash = seed ^ (bytes.size() * Odd);
    const char* next = bytes.data();
    size_t left = bytes.size();
    for (; left >= 8; left -= 8, next += 8) {
        uint64_t word = 0;
        std::memcpy(&word, next, 8);
        hash = std::rotl((hash ^ word) * Odd, 29);
    }
    uint64_t last = 0;
    std::memcpy(&last, next, left);
    hash = std::rotl((hash ^ last) * Odd, 29);
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCD;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53;
    return hash ^ (hash >> 33);
}

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

// Reads an entry's body, which must end where the body does.
bool ReadEntry(std::span<const uint8_t> body, EntryView& entry) {
    CByteReader reader(body);
    entry.Path = ReadText(reader);
    entry.Stamp.Size = static_cast<int64_t>(reader.U64LE());
    entry.Stamp.ModifiedNs = static_cast<int64_t>(reader.U64LE());
    entry.Stamp.ChangedNs = static_cast<int64_t>(reader.U64LE());
    entry.Stamp.Device = reader.U64LE();
    entry.Stamp.Inode = reader.U64LE();
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
    return reader.Ok() && reader.Remaining() == 0 && !entry.Path.empty();
}

// Fills cached, a fresh one, with the entry's facts: the texts are made in place.
void FactsOf(const EntryView& entry, CachedFacts& cached) {
    cached.State = entry.State & ReadStateBits;
    TrackFacts& facts = cached.Facts;
    facts.Texts = entry.Texts & ReadTextBits;
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

// The fields of an entry for the facts a record holds after a fresh reading of its file.
EntryView ViewOf(std::string_view path, const FileStamp& stamp, const CListData& record) {
    EntryView entry{path,
                    stamp,
                    0,
                    record.State() & ReadStateBits,
                    record.ShownTexts(),
                    record.Size(),
                    record.Time(),
                    record.BitRate(),
                    record.SamplingRate(),
                    record.TagSets(),
                    {}};
    entry.Strings[0] = record.Type();
    entry.Strings[1] = record.BitRateText();
    entry.Strings[2] = record.SamplingRateText();
    size_t next = 3;
    for (const PackedTags::Set set : {PackedTags::Standard, PackedTags::Extended})
        for (int field = 0; field < PackedTags::FieldCount; ++field)
            entry.Strings[next++] = record.TagText(set, static_cast<PackedTags::Field>(field));
    return entry;
}

// Every text of an entry must fit its 16-bit length.
bool Storable(const EntryView& entry) {
    constexpr size_t limit = std::numeric_limits<uint16_t>::max();
    return entry.Path.size() <= limit &&
           std::all_of(entry.Strings.begin(), entry.Strings.end(),
                       [](std::string_view text) { return text.size() <= limit; });
}

// Appends the cache's little-endian fields.
class CCacheWriter {
public:
    CCacheWriter(std::string& out, uint64_t seed) : m_Out(out), m_Seed(seed) {}

    void Unsigned(uint64_t value, int width) {
        std::array<char, 8> bytes{};
        for (int i = 0; i < width; ++i)
            bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
        m_Out.append(bytes.data(), static_cast<size_t>(width));
    }
    void Text(std::string_view text) {
        Unsigned(text.size(), 2);
        m_Out += text;
    }
    // An entry from its fields seen in place; its last use is lastUsed.
    void Entry(const EntryView& entry, uint32_t lastUsed) {
        const size_t start = m_Out.size();
        m_Out.append(EntryHeadBytes, '\0');
        Text(entry.Path);
        Unsigned(static_cast<uint64_t>(entry.Stamp.Size), 8);
        Unsigned(static_cast<uint64_t>(entry.Stamp.ModifiedNs), 8);
        Unsigned(static_cast<uint64_t>(entry.Stamp.ChangedNs), 8);
        Unsigned(entry.Stamp.Device, 8);
        Unsigned(entry.Stamp.Inode, 8);
        Unsigned(lastUsed, 4);
        Unsigned(entry.State, 1);
        Unsigned(entry.Texts, 1);
        Unsigned(static_cast<uint64_t>(entry.Size), 8);
        Unsigned(static_cast<uint32_t>(entry.Time), 4);
        Unsigned(static_cast<uint32_t>(entry.BitRate), 4);
        Unsigned(static_cast<uint32_t>(entry.SamplingRate), 4);
        Unsigned(static_cast<uint32_t>(entry.TagSets), 4);
        for (const std::string_view text : entry.Strings)
            Text(text);
        // The body's length and the check of both go in front.
        const size_t body = m_Out.size() - start - EntryHeadBytes;
        for (size_t i = 0; i < 4; ++i)
            m_Out[start + CheckBytes + i] = static_cast<char>((body >> (8 * i)) & 0xFF);
        const uint64_t check = Checksum(std::string_view(m_Out).substr(start + CheckBytes), m_Seed);
        for (size_t i = 0; i < CheckBytes; ++i)
            m_Out[start + i] = static_cast<char>((check >> (8 * i)) & 0xFF);
    }

private:
    std::string& m_Out;
    uint64_t m_Seed;
};

// The entry as the file will hold it, written on the calling thread (outside the cache's lock)
// into a buffer of its own; valid until the thread writes the next.
std::string_view Written(const EntryView& entry, uint32_t run, uint64_t seed) {
    thread_local std::string buffer;
    buffer.clear();
    CCacheWriter(buffer, seed).Entry(entry, run);
    return buffer;
}

uint64_t PathHash(std::string_view path) {
    return std::hash<std::string_view>{}(path);
}

// Entries found by path: open addressing over their numbers, each slot the upper half of the
// path's hash and the entry's number + 1 (0: empty). Flat, so that a look-up touches one slot
// and then the entry itself. At most half the slots are taken, so an empty one ends every
// search. Answers the slot holding path's entry (pathOf gives an entry's path), else the empty
// slot where it would go.
template <typename PathOf>
size_t SlotIn(const std::vector<uint64_t>& slots, std::string_view path, uint64_t hash,
              PathOf pathOf) {
    const size_t mask = slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t held = slots[slot];
        if (held == 0 ||
            ((held ^ hash) >> 32 == 0 && pathOf(static_cast<uint32_t>(held) - 1) == path))
            return slot;
    }
}

uint64_t SlotValue(uint64_t hash, size_t index) {
    return (hash >> 32 << 32) | (uint64_t{index} + 1);
}

} // namespace

CTagCache::CTagCache(std::string path, std::string codePage, size_t maxEntries)
    : m_Path(std::move(path)), m_CodePage(std::move(codePage)), m_MaxEntries(maxEntries),
      m_Seed(Checksum(m_CodePage, Checksum(Magic, 0))) {}

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
    // The count only tells how much room to make: the entries are taken as far as they go.
    m_EntryOffsets.reserve(
        std::min<size_t>(count, bytes.size() / (EntryHeadBytes + MinimumBodyBytes)));
    while (reader.Remaining() >= EntryHeadBytes) {
        const size_t start = bytes.size() - reader.Remaining();
        const uint64_t check = reader.U64LE();
        const uint32_t length = reader.U32LE();
        // A length past the end: the rest cannot be told apart into entries.
        if (!reader.Skip(length))
            break;
        // A damaged entry costs itself only. When its length was what was damaged, the next
        // ones are looked for in the wrong places, and what is found there fails its check.
        const std::string_view checked = bytes.substr(start + CheckBytes, 4 + size_t{length});
        if (Checksum(checked, m_Seed) == check)
            m_EntryOffsets.push_back(static_cast<uint32_t>(start + CheckBytes));
    }
    m_Slots.assign(std::bit_ceil(2 * m_EntryOffsets.size() + 1), 0);
    for (uint32_t i = 0; i < m_EntryOffsets.size(); ++i)
        Index(i);
    return true;
}

std::span<const uint8_t> CTagCache::BodyAt(uint32_t index) const {
    CByteReader reader({reinterpret_cast<const uint8_t*>(m_Bytes.data()), m_Bytes.size()});
    reader.Seek(m_EntryOffsets[index]);
    return reader.Bytes(reader.U32LE());
}

std::string_view CTagCache::PathAt(uint32_t index) const {
    CByteReader reader(BodyAt(index));
    return ReadText(reader);
}

size_t CTagCache::SlotOf(std::string_view path, uint64_t hash) const {
    return SlotIn(m_Slots, path, hash, [this](uint32_t index) { return PathAt(index); });
}

size_t CTagCache::StoredSlotOf(std::string_view path, uint64_t hash) const {
    return SlotIn(m_StoredSlots, path, hash,
                  [this](uint32_t index) { return StoredPathAt(index); });
}

std::span<const uint8_t> CTagCache::StoredBodyAt(uint32_t index) const {
    const StoredEntry& stored = m_Stored[index];
    return std::span(reinterpret_cast<const uint8_t*>(m_StoredBytes.data()) + stored.Offset,
                     stored.Length)
        .subspan(EntryHeadBytes);
}

std::string_view CTagCache::StoredPathAt(uint32_t index) const {
    CByteReader reader(StoredBodyAt(index));
    return ReadText(reader);
}

bool CTagCache::StoredInRun(std::string_view path) const {
    return !m_StoredSlots.empty() && m_StoredSlots[StoredSlotOf(path, PathHash(path))] != 0;
}

void CTagCache::Index(uint32_t index) {
    const std::string_view path = PathAt(index);
    const uint64_t hash = PathHash(path);
    m_Slots[SlotOf(path, hash)] = SlotValue(hash, index);
}

int64_t CTagCache::EntryOf(std::string_view path) const {
    if (m_Slots.empty())
        return -1;
    const uint64_t held = m_Slots[SlotOf(path, PathHash(path))];
    return static_cast<int64_t>(held & 0xFFFFFFFF) - 1;
}

bool CTagCache::Find(const std::string& path, const FileStamp& stamp, CachedFacts& facts) {
    Load();
    return Find(path, stamp, facts, Held{EntryOf(path)});
}

bool CTagCache::Find(const std::string& path, const FileStamp& stamp, CachedFacts& facts,
                     Held held) {
    // What was stored in this run comes first. Until something is, the lock is not needed:
    // the entries read from the file never change once loaded.
    if (m_StoredCount.load() > 0) {
        const std::lock_guard guard(m_Lock);
        IndexStoredLocked();
        if (const uint64_t held = m_StoredSlots[StoredSlotOf(path, PathHash(path))]) {
            EntryView entry;
            if (!ReadEntry(StoredBodyAt(static_cast<uint32_t>(held) - 1), entry) ||
                entry.Stamp != stamp)
                return false;
            FactsOf(entry, facts);
            return true;
        }
    }
    if (!held)
        return false;
    const auto index = static_cast<uint32_t>(held.Entry);
    EntryView entry;
    if (!ReadEntry(BodyAt(index), entry) || entry.Stamp != stamp)
        return false;
    FactsOf(entry, facts);
    // Readers on several threads: writing the shared flags only when they change keeps their
    // cache lines from passing back and forth between the processors.
    if (!m_Found[index].load(std::memory_order_relaxed))
        m_Found[index].store(true, std::memory_order_relaxed);
    return true;
}

CTagCache::Held CTagCache::Holds(const std::string& path) {
    Load();
    return Held{EntryOf(path)};
}

void CTagCache::Store(const std::string& path, const FileStamp& stamp, const CListData& record) {
    Load();
    const EntryView entry = ViewOf(path, stamp, record);
    if (Storable(entry))
        Keep(path, Written(entry, m_Run, m_Seed));
}

void CTagCache::Keep(std::string_view path, std::string_view written) {
    const uint64_t hash = PathHash(path);
    const std::lock_guard guard(m_Lock);
    m_Stored.push_back({m_StoredBytes.size(), static_cast<uint32_t>(written.size()), true, hash});
    m_StoredBytes += written;
    m_StoredCount.store(m_Stored.size());
    m_Changed.store(true);
}

void CTagCache::IndexStoredLocked() {
    if (m_StoredIndexed == m_Stored.size())
        return;
    const auto place = [&](uint32_t index) {
        const StoredEntry& stored = m_Stored[index];
        return &m_StoredSlots[StoredSlotOf(StoredPathAt(index), stored.Hash)];
    };
    if (m_StoredSlots.size() < 2 * (m_Stored.size() + 1)) {
        // Grown: every live entry indexed so far is placed again.
        m_StoredSlots.assign(std::bit_ceil(4 * (m_Stored.size() + 1)), 0);
        for (uint32_t index = 0; index < m_StoredIndexed; ++index)
            if (m_Stored[index].Live)
                *place(index) = SlotValue(m_Stored[index].Hash, index);
    }
    for (auto index = static_cast<uint32_t>(m_StoredIndexed); index < m_Stored.size(); ++index) {
        uint64_t* slot = place(index);
        if (*slot != 0) {
            m_Stored[static_cast<uint32_t>(*slot) - 1].Live = false; // stored again
            --m_StoredLive;
        }
        *slot = SlotValue(m_Stored[index].Hash, index);
        ++m_StoredLive;
    }
    m_StoredIndexed = m_Stored.size();
}

bool CTagCache::Save(std::string* error) {
    const std::lock_guard guard(m_Lock);
    if (!m_Changed)
        return true;
    IndexStoredLocked();
    // This run's entries first, then the file's, the most recently used first, up to the bound.
    struct Kept {
        uint32_t Index;
        uint32_t LastUsed;
    };
    std::vector<Kept> kept;
    // In the file's order, which is the order the files are usually looked up in: entries
    // read one after another then lie side by side in memory.
    for (uint32_t index = 0; index < m_EntryOffsets.size(); ++index) {
        EntryView entry;
        // A path stored again in this run, or found twice in the file, is written once.
        if (!ReadEntry(BodyAt(index), entry) || StoredInRun(entry.Path) ||
            EntryOf(entry.Path) != index)
            continue;
        const bool found = m_Found[index].load(std::memory_order_relaxed);
        kept.push_back({index, found ? m_Run : entry.LastUsed});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Kept& a, const Kept& b) { return a.LastUsed > b.LastUsed; });
    const size_t room = m_MaxEntries > m_StoredLive ? m_MaxEntries - m_StoredLive : 0;
    if (kept.size() > room)
        kept.resize(room);

    std::string out;
    CCacheWriter writer(out, m_Seed);
    out += Magic;
    writer.Text(m_CodePage);
    writer.Unsigned(m_Run, 4);
    writer.Unsigned(std::min(m_StoredLive, m_MaxEntries) + kept.size(), 4);
    size_t written = 0;
    for (const StoredEntry& stored : m_Stored) {
        if (written == m_MaxEntries)
            break;
        if (stored.Live) {
            out.append(m_StoredBytes, stored.Offset, stored.Length);
            ++written;
        }
    }
    for (const Kept& k : kept) {
        EntryView entry;
        ReadEntry(BodyAt(k.Index), entry);
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
    // A file the cache knows nothing of is read at once: on a network share the status asked
    // first would be one more request waited for.
    const CTagCache::Held held = cache ? cache->Holds(path) : CTagCache::Held{};
    if (held && QueryFileStamp(path, reading.Stamp, folder) &&
        cache->Find(path, reading.Stamp, reading.Info.emplace<CachedFacts>(), held)) {
        reading.Found = true;
        return reading;
    }
    return ReadTrackFile(path, ext, codec, {}, folder);
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
        cache->Store(record.FilePath(), stamp, record);
}

} // namespace torvane
