#pragma once

#include "core/base/ShortLock.h"
#include "core/record/FileReading.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

class CListData;
class CTextCodec;

// Facts of files read before, kept from one run to the next, keyed by path and found only while
// the file's stamp is the one it was read with. The file is read whole on the first look-up
// (when it is no larger than MaxTagCacheBytes); entries are decoded when found. It is written
// (atomically) by Save, at most MaxEntries of them, the least recently used left out first. A
// file of another format version or written under another tag code page is ignored whole; each
// entry carries a check of its bytes, and one that fails it (a damaged disk, a stray write) is
// left out alone. Find and Store may be called from any thread.
class CTagCache {
public:
    static constexpr size_t DefaultMaxEntries = 200000;

    CTagCache(std::string path, std::string codePage, size_t maxEntries = DefaultMaxEntries);
    CTagCache(const CTagCache&) = delete;
    CTagCache& operator=(const CTagCache&) = delete;

    // Reads the file when it has not been read yet. The first look-up does it anyway; a caller
    // with a thread to spare calls it earlier, so that the look-ups do not wait for it.
    void Load();

    // Fills facts, a fresh one, with the facts kept for path when its stamp is the one they
    // were read with.
    bool Find(const std::string& path, const FileStamp& stamp, CachedFacts& facts);
    // What the cache file had for path, looked up once.
    struct Held {
        int64_t Entry = -1;
        explicit operator bool() const { return Entry >= 0; }
    };
    // Whether the cache file had anything for path: when not, its stamp need not be asked for a
    // look-up. What this run stored is left out (a file added twice in one run is read twice):
    // asking for it would take the lock for every file read.
    Held Holds(const std::string& path);
    // Find for a path Holds answered, without looking it up again.
    bool Find(const std::string& path, const FileStamp& stamp, CachedFacts& facts, Held held);
    // Keeps (or replaces) the facts a record holds after a fresh reading of path, with the state
    // bits reading set.
    void Store(const std::string& path, const FileStamp& stamp, const CListData& record);

    // Writes the cache when anything was stored since it was read (a run that only found
    // entries leaves the file as it is: no rewrite, no sync; which entries it used is kept when
    // the file is next written); false with a description in error when it could not be
    // written (the old file stays).
    bool Save(std::string* error = nullptr);

private:
    // An entry stored in this run, as it will be written: in m_StoredBytes from Offset.
    struct StoredEntry {
        size_t Offset;
        uint32_t Length;
        bool Live; // not stored again since
        uint64_t Hash;
    };

    bool Parse(std::string_view bytes);
    // The body of the entry read index-th, and its path.
    std::span<const uint8_t> BodyAt(uint32_t index) const;
    std::string_view PathAt(uint32_t index) const;
    // The slot holding path's entry, else the empty slot where it would go.
    size_t SlotOf(std::string_view path, uint64_t hash) const;
    // Under the lock: the same among the entries stored in this run.
    size_t StoredSlotOf(std::string_view path, uint64_t hash) const;
    std::span<const uint8_t> StoredBodyAt(uint32_t index) const;
    std::string_view StoredPathAt(uint32_t index) const;
    // Keeps an entry written as the file will hold it.
    void Keep(std::string_view path, std::string_view written);
    // Under the lock: puts the entries kept since the last call into their slots; an entry
    // stored again replaces the earlier one. Done when a look-up or the writing needs them,
    // not for each entry kept.
    void IndexStoredLocked();
    // Under the lock: whether an entry for path was stored in this run.
    bool StoredInRun(std::string_view path) const;
    // Puts the entry read index-th into the slots; a later entry of the same path replaces an
    // earlier one.
    void Index(uint32_t index);
    // The number of the entry read for path, or -1.
    int64_t EntryOf(std::string_view path) const;

    std::string m_Path;
    std::string m_CodePage;
    size_t m_MaxEntries;
    uint64_t m_Seed; // where each entry's check starts: another code page, other checks
    std::once_flag m_Loaded;
    std::atomic<bool> m_Changed{false};
    uint32_t m_Run = 1; // this run's number; entries record the last run that used them
    // The file as read (left as it is once loaded), where each of its entries that passed its
    // check starts (at the body's length), and which entries were found in this run.
    std::string m_Bytes;
    std::vector<uint32_t> m_EntryOffsets;
    std::vector<std::atomic<bool>> m_Found;
    // The entry of each path: open addressing with twice as many slots as entries, each slot
    // the upper half of the path's hash and the entry's number + 1 (0: empty). Flat, so that a
    // look-up touches one slot and then the entry itself.
    std::vector<uint64_t> m_Slots;
    // Entries stored in this run, in the order stored (the order of the next run's look-ups),
    // written out as they will stand in the file, and the slots of the first m_StoredIndexed,
    // as m_Slots; under the lock.
    CShortLock m_Lock;
    std::string m_StoredBytes;
    std::vector<StoredEntry> m_Stored;
    std::vector<uint64_t> m_StoredSlots;
    size_t m_StoredIndexed = 0;
    size_t m_StoredLive = 0; // entries indexed and not stored again since
    std::atomic<size_t> m_StoredCount{0};
};

// A reading the tag cache should keep: of a file found and unchanged while it was read, and not
// itself taken from the cache.
bool Keepable(const FileReading& reading, const CTagCache* cache);

// Puts the reading into a record just made for its file, and keeps it in the cache when it is
// keepable.
void ApplyNewReading(CListData& record, FileReading&& reading, CTagCache* cache);

// The reading a new record of path gets: with a cache, the kept facts when the file is
// unchanged; else a reading of the file (which the caller stores once it is in a record).
// folder is as for QueryFileStamp.
FileReading ReadWithCache(CTagCache* cache, const std::string& path, const std::string& ext,
                          const CTextCodec& codec, int folder = -1);

} // namespace torvane
