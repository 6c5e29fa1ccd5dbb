#include "core/reading/TagCache.h"
#include "DocFixture.h"
#include "ReaderFixtures.h"
#include "RecordDump.h"
#include "core/base/Paths.h"
#include "core/commands/InfoCommands.h"
#include "core/gather/Gathering.h"
#include "core/settings/ProfileLocation.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace torvane::test {
namespace {

// Overwrites a file with zeros of the same length and gives it the given modification time.
void Blank(const std::string& path, time_t modified) {
    const auto size = static_cast<size_t>(std::filesystem::file_size(path));
    std::ofstream(path, std::ios::binary) << std::string(size, '\0');
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Facts with every field set, which a damaged entry could change.
CachedFacts FullFacts(const std::string& title) {
    CachedFacts cached;
    cached.State = CListData::SizeRead | CListData::InfoRead;
    TrackFacts& facts = cached.Facts;
    facts.Texts = TrackFacts::SizeShown | TrackFacts::TimeShown;
    facts.Size = 4304;
    facts.Time = 213;
    facts.BitRate = 128;
    facts.SamplingRate = 44100;
    facts.TagSets = CListData::StandardSet | CListData::ExtendedSet;
    facts.Type = &PooledText("MPEG1 Layer3");
    facts.BitRateText = &PooledText("128 kbit");
    facts.SamplingRateText = &PooledText("44100 Hz");
    for (TagSet* set : {&facts.Std, &facts.Ext})
        *set = {title, "Artist", "Album", "Comment", "2024", "7", "Genre"};
    return cached;
}

// Every field of cached facts in one text.
// Stores facts as the cache stores those of a record that holds them.
void Store(CTagCache& cache, const std::string& path, const FileStamp& stamp, CachedFacts facts) {
    CListData record;
    record.SetPath(path);
    record.TakeCachedFacts(std::move(facts));
    cache.Store(path, stamp, record);
}

std::string DumpFacts(const CachedFacts& cached) {
    CListData record;
    record.SetPath("/m/x.mp3");
    record.TakeCachedFacts(CachedFacts(cached));
    return std::to_string(cached.State) + "|" + std::to_string(cached.Facts.Texts) + "|" +
           DumpRecord(record);
}

class TagCacheTest : public ::testing::Test {
protected:
    // A run of the program: a document reading tags on load, with the cache unless told not.
    struct Run {
        Run(TagCacheTest& test, bool cache = true) : doc(test.profile, host) {
            doc.SetView(&view);
            doc.Settings().readtag = DocSettings::ReadTags;
            if (cache)
                doc.UseTagCache(std::make_unique<CTagCache>(test.cachePath, "CP932"));
        }
        std::string Add(const std::string& path) {
            EXPECT_TRUE(doc.AddFile(path, true)) << path;
            doc.UpdateItemCount();
            return DumpRecord(*doc.AllList().back());
        }
        CFakeHost host;
        CFakeView view;
        CTorvaneDoc doc;
    };

    std::string Copy(const std::string& name) {
        std::string path = dir / name;
        std::filesystem::copy_file(DataFile(name), path);
        return path;
    }

    // Gives the kept facts of path the title "kept" in both tag sets, which no file here holds:
    // a record showing it was filled from the cache, not from its file.
    void MarkKept(const std::string& path) {
        FileStamp stamp;
        ASSERT_TRUE(QueryFileStamp(path, stamp));
        CTagCache cache(cachePath, "CP932");
        CachedFacts facts;
        ASSERT_TRUE(cache.Find(path, stamp, facts)) << path;
        facts.Facts.Std.Title = facts.Facts.Ext.Title = "kept";
        Store(cache, path, stamp, facts);
        ASSERT_TRUE(cache.Save());
    }

    CTempDir dir;
    CProfile profile{dir / "torvane.ini"};
    std::string cachePath = dir / "torvane-tags.cache";
};

TEST_F(TagCacheTest, AHitFillsTheRecordAsAFreshReadDidWithoutOpeningTheFile) {
    std::vector<std::string> paths;
    for (const char* name : {"cbr_id3v1.mp3", "id3v23_utf16.mp3", "info.wav", "oggwma-tone.ogg",
                             "oggwma-tone.wma", "lib-tone.flac", "lib-tags.opus", "lib-alac.m4a",
                             "lib-names.aiff", "lib-flac-content.ogg"})
        paths.push_back(Copy(name));
    std::vector<std::string> fresh;
    {
        Run first(*this);
        for (const std::string& path : paths)
            fresh.push_back(first.Add(path));
    }
    {
        Run second(*this);
        for (size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(second.Add(paths[i]), fresh[i]);
    }

    for (const std::string& path : paths)
        MarkKept(path);
    Run marked(*this);
    for (const std::string& path : paths) {
        marked.Add(path);
        EXPECT_EQ(marked.doc.AllList().back()->GetTitle(TagMode::Standard), "kept") << path;
    }

    // The same hits found by the readers of a folder scan, whose status they ask of the folder.
    Run scan(*this);
    scan.doc.Settings().ReadThreads = 3;
    OpenFolder(scan.doc, dir.Path());
    EXPECT_EQ(scan.doc.AllList().size(), paths.size());
    for (const CListData* record : scan.doc.AllList())
        EXPECT_EQ(record->GetTitle(TagMode::Standard), "kept") << record->FilePath();
}

TEST_F(TagCacheTest, AChangedFileIsReadAgainAndTagsOnASelectionAlwaysReadTheFile) {
    const std::string changed = Copy("cbr_id3v1.mp3");
    const std::string asked = Copy("vbr_xing.mp3");
    std::string askedFresh;
    {
        Run first(*this);
        first.Add(changed);
        askedFresh = first.Add(asked);
    }
    Blank(changed, 1000000000);
    MarkKept(asked);
    {
        Run second(*this);
        const std::string record = second.Add(changed);
        EXPECT_NE(record.find("タグなし"), std::string::npos) << "read again: " << record;
        second.Add(asked);
        EXPECT_EQ(second.doc.AllList()[1]->GetTitle(TagMode::Standard), "kept")
            << "unchanged: the kept facts";

        second.view.Selection = {1};
        GetInfo(second.doc, InfoScope::Selection);
        EXPECT_NE(second.doc.AllList()[1]->GetTitle(TagMode::Standard), "kept");
    }
    Run third(*this);
    EXPECT_EQ(third.Add(asked), askedFresh) << "the entry was renewed by the read";
}

TEST_F(TagCacheTest, ForeignDamagedOrOtherCodePageFilesAreIgnoredWhole) {
    const std::string path = Copy("cbr_id3v1.mp3");
    const FileStamp stamp{123, 456};
    CachedFacts facts;
    facts.Facts.Std.Title = "kept";
    {
        CTagCache cache(cachePath, "CP932");
        Store(cache, path, stamp, facts);
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    CachedFacts found;
    EXPECT_TRUE(CTagCache(cachePath, "CP932").Find(path, stamp, found));
    EXPECT_EQ(found.Facts.Std.Title, "kept");
    EXPECT_FALSE(CTagCache(cachePath, "CP932").Find(path, {123, 457}, found));
    EXPECT_FALSE(CTagCache(cachePath, "CP1252").Find(path, stamp, found));

    // Bytes after the last entry are no entry: the one before them still holds.
    dir.Write("torvane-tags.cache", saved + "x");
    EXPECT_TRUE(CTagCache(cachePath, "CP932").Find(path, stamp, found));
    EXPECT_EQ(found.Facts.Std.Title, "kept");

    for (const std::string& damaged :
         {saved.substr(0, saved.size() - 3), std::string("garbage"), std::string(),
          saved.substr(0, 8) + std::string(64, '\xFF')}) {
        dir.Write("torvane-tags.cache", damaged);
        CTagCache cache(cachePath, "CP932");
        EXPECT_FALSE(cache.Find(path, stamp, found));
        Store(cache, path, stamp, facts);
        EXPECT_TRUE(cache.Save());
        EXPECT_TRUE(CTagCache(cachePath, "CP932").Find(path, stamp, found)) << "written anew";
    }
}

TEST_F(TagCacheTest, ARetagThatPutsTheModificationTimeBackIsReadAgain) {
    const std::string path = Copy("cbr_id3v1.mp3");
    {
        Run first(*this);
        first.Add(path);
        EXPECT_EQ(first.doc.AllList().back()->GetTitle(TagMode::Standard), "Tone Title");
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    // A tag editor rewrites the ID3v1 title in place and keeps the modification time.
    {
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(before.st_size - 125);
        file.write("Tone Retag", 10);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    struct stat after {};
    // The change time has the clock's coarse resolution: setting the times again moves it on
    // once the clock has ticked.
    do {
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
    } while (after.st_ctim.tv_sec == before.st_ctim.tv_sec &&
             after.st_ctim.tv_nsec == before.st_ctim.tv_nsec);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    Run second(*this);
    second.Add(path);
    EXPECT_EQ(second.doc.AllList().back()->GetTitle(TagMode::Standard), "Tone Retag");
}

// Whatever one flipped bit of a saved cache does, a look-up finds the facts that were stored or
// nothing; a damaged entry costs that entry alone.
TEST_F(TagCacheTest, EveryFlippedBitGivesTheTrueFactsOrNothing) {
    const std::vector<std::string> paths = {"/m/00.mp3", "/m/01.mp3", "/m/10.mp3"};
    std::vector<FileStamp> stamps;
    std::vector<std::string> truth;
    {
        CTagCache cache(cachePath, "CP932");
        for (size_t i = 0; i < paths.size(); ++i) {
            const auto n = static_cast<int64_t>(i);
            stamps.push_back({.Size = 4304 + n,
                              .ModifiedNs = 1700000000000000000 + n,
                              .ChangedNs = 1700000000500000000 + n,
                              .Device = 2049,
                              .Inode = 1000 + static_cast<uint64_t>(i)});
            const CachedFacts facts = FullFacts("Title " + std::to_string(i));
            truth.push_back(DumpFacts(facts));
            Store(cache, paths[i], stamps[i], facts);
        }
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    size_t believed = 0;
    for (size_t bit = 0; bit < saved.size() * 8; ++bit) {
        std::string damaged = saved;
        damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
        dir.Write("torvane-tags.cache", damaged);
        CTagCache cache(cachePath, "CP932");
        for (size_t i = 0; i < paths.size(); ++i) {
            CachedFacts found;
            if (!cache.Find(paths[i], stamps[i], found))
                continue;
            ++believed;
            ASSERT_EQ(DumpFacts(found), truth[i]) << "bit " << bit << ", entry " << i;
        }
    }
    EXPECT_GT(believed, 0u) << "a flip in the header's counts costs nothing";

    // A damaged title: the entries before and after it are still found.
    std::string damaged = saved;
    damaged[saved.find("Title 1")] = 't';
    dir.Write("torvane-tags.cache", damaged);
    CTagCache cache(cachePath, "CP932");
    CachedFacts found;
    EXPECT_TRUE(cache.Find(paths[0], stamps[0], found));
    EXPECT_FALSE(cache.Find(paths[1], stamps[1], found));
    EXPECT_TRUE(cache.Find(paths[2], stamps[2], found));
    EXPECT_EQ(DumpFacts(found), truth[2]);
}

TEST_F(TagCacheTest, KeptFactsNeverMarkARecordMissingOrPlaying) {
    CachedFacts odd = FullFacts("t");
    odd.State = 0xFFFFFFFF;
    odd.Facts.Texts = 0xFF;
    {
        CTagCache cache(cachePath, "CP932");
        Store(cache, "/m/a.mp3", {.Size = 1}, odd);
        CachedFacts found;
        ASSERT_TRUE(cache.Find("/m/a.mp3", {.Size = 1}, found));
        EXPECT_EQ(found.State, CListData::SizeRead | CListData::InfoRead) << "stored in this run";
        ASSERT_TRUE(cache.Save());
    }
    CachedFacts found;
    ASSERT_TRUE(CTagCache(cachePath, "CP932").Find("/m/a.mp3", {.Size = 1}, found));
    EXPECT_EQ(found.State, CListData::SizeRead | CListData::InfoRead);
    EXPECT_EQ(found.Facts.Texts, TrackFacts::SizeShown | TrackFacts::TimeShown);
    CListData record;
    record.SetPath("/m/a.mp3");
    record.TakeCachedFacts(std::move(found));
    EXPECT_FALSE(record.Has(CListData::Missing));
    EXPECT_FALSE(record.Has(CListData::Playing));
}

TEST_F(TagCacheTest, ACacheFileLargerThanTheLimitIsIgnoredAndReplaced) {
    {
        CTagCache cache(cachePath, "CP932");
        Store(cache, "/m/a.mp3", {.Size = 1}, FullFacts("t"));
        ASSERT_TRUE(cache.Save());
    }
    // Sparse: it takes no room on the disk, and it is refused before anything is read.
    std::filesystem::resize_file(cachePath, MaxTagCacheBytes + 1);
    CTagCache cache(cachePath, "CP932");
    CachedFacts found;
    EXPECT_FALSE(cache.Find("/m/a.mp3", {.Size = 1}, found));
    Store(cache, "/m/b.mp3", {.Size = 1}, FullFacts("t"));
    ASSERT_TRUE(cache.Save());
    EXPECT_LT(std::filesystem::file_size(cachePath), 4096u);
    EXPECT_TRUE(CTagCache(cachePath, "CP932").Find("/m/b.mp3", {.Size = 1}, found));
}

TEST_F(TagCacheTest, TheBoundLeavesOutTheLeastRecentlyUsedEntries) {
    const CachedFacts facts;
    const auto run = [&](std::initializer_list<const char*> found,
                         std::initializer_list<const char*> stored) {
        CTagCache cache(cachePath, "CP932", 2);
        CachedFacts out;
        for (const char* path : found)
            EXPECT_TRUE(cache.Find(path, {1, 1}, out)) << path;
        for (const char* path : stored)
            Store(cache, path, {1, 1}, facts);
        ASSERT_TRUE(cache.Save());
    };
    run({}, {"/a", "/b"});
    run({"/a"}, {"/c"});
    CTagCache cache(cachePath, "CP932", 2);
    CachedFacts out;
    EXPECT_TRUE(cache.Find("/a", {1, 1}, out));
    EXPECT_TRUE(cache.Find("/c", {1, 1}, out));
    EXPECT_FALSE(cache.Find("/b", {1, 1}, out));
}

// Entries keep their order from one save to the next (files are looked up in much the same
// order each time), the most recently used first; a path the file holds twice is written once,
// with the facts a look-up found.
TEST_F(TagCacheTest, SavesKeepTheEntriesInOrderAndEachPathOnce) {
    // A cache of the given entries alone.
    const auto save = [&](std::initializer_list<const char*> paths, const char* title) {
        std::filesystem::remove(cachePath);
        CTagCache cache(cachePath, "CP932");
        CachedFacts facts;
        facts.Facts.Std.Title = title;
        for (const char* path : paths)
            Store(cache, path, {1, 1}, facts);
        EXPECT_TRUE(cache.Save());
        return dir.Read("torvane-tags.cache");
    };
    save({"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/4.mp3"}, "t");
    {
        CTagCache cache(cachePath, "CP932");
        CachedFacts out;
        for (const char* path : {"/m/4.mp3", "/m/3.mp3", "/m/1.mp3"})
            EXPECT_TRUE(cache.Find(path, {1, 1}, out));
        Store(cache, "/m/5.mp3", {1, 1}, out); // something new, so that the file is written
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    const auto at = [&](const char* path) { return saved.find(path); };
    EXPECT_LT(at("/m/5.mp3"), at("/m/1.mp3"));
    EXPECT_LT(at("/m/1.mp3"), at("/m/3.mp3"));
    EXPECT_LT(at("/m/3.mp3"), at("/m/4.mp3"));
    EXPECT_LT(at("/m/4.mp3"), at("/m/2.mp3")) << "not found this time";

    // The header (magic, code page, run, count) is 23 bytes; a file of two entries for one path.
    const std::string first = save({"/m/x.mp3"}, "first");
    const std::string second = save({"/m/x.mp3"}, "second");
    std::string twice = first + second.substr(23);
    twice[19] = 2;
    dir.Write("torvane-tags.cache", twice);
    {
        CTagCache cache(cachePath, "CP932");
        CachedFacts out;
        ASSERT_TRUE(cache.Find("/m/x.mp3", {1, 1}, out));
        EXPECT_EQ(out.Facts.Std.Title, "second");
        Store(cache, "/m/y.mp3", {1, 1}, out);
        ASSERT_TRUE(cache.Save());
    }
    const std::string once = dir.Read("torvane-tags.cache");
    EXPECT_EQ(once.find("/m/x.mp3"), once.rfind("/m/x.mp3"));
    CachedFacts out;
    ASSERT_TRUE(CTagCache(cachePath, "CP932").Find("/m/x.mp3", {1, 1}, out));
    EXPECT_EQ(out.Facts.Std.Title, "second");
}

// A path stored again in one run (its file changed meanwhile) is found, and written once, with
// its last facts, among many others.
TEST_F(TagCacheTest, APathStoredAgainInOneRunKeepsItsLastFacts) {
    {
        CTagCache cache(cachePath, "CP932");
        CachedFacts facts;
        facts.Facts.Std.Title = "first";
        for (int i = 0; i < 100; ++i)
            Store(cache, "/m/" + std::to_string(i) + ".mp3", {1, 1}, facts);
        facts.Facts.Std.Title = "second";
        Store(cache, "/m/7.mp3", {2, 2}, facts);
        CachedFacts out;
        EXPECT_FALSE(cache.Find("/m/7.mp3", {1, 1}, out)) << "the stamp stored first";
        ASSERT_TRUE(cache.Find("/m/7.mp3", {2, 2}, out));
        EXPECT_EQ(out.Facts.Std.Title, "second");
        // Stored again after a look-up, among enough new paths to make the table grow.
        for (int i = 100; i < 400; ++i)
            Store(cache, "/m/" + std::to_string(i) + ".mp3", {1, 1}, facts);
        facts.Facts.Std.Title = "third";
        Store(cache, "/m/7.mp3", {3, 3}, facts);
        ASSERT_TRUE(cache.Find("/m/7.mp3", {3, 3}, out));
        EXPECT_EQ(out.Facts.Std.Title, "third");
        EXPECT_TRUE(cache.Find("/m/5.mp3", {1, 1}, out));
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    EXPECT_EQ(saved.find("/m/7.mp3"), saved.rfind("/m/7.mp3"));
    CTagCache cache(cachePath, "CP932");
    CachedFacts out;
    ASSERT_TRUE(cache.Find("/m/7.mp3", {3, 3}, out));
    EXPECT_EQ(out.Facts.Std.Title, "third");
    EXPECT_TRUE(cache.Find("/m/99.mp3", {1, 1}, out));
    EXPECT_TRUE(cache.Find("/m/399.mp3", {1, 1}, out));
}

// A run that reads everything from the cache leaves the file alone: a large cache is neither
// rewritten nor synced on every start.
TEST_F(TagCacheTest, ARunThatStoredNothingNewDoesNotRewriteTheFile) {
    {
        CTagCache cache(cachePath, "CP932");
        Store(cache, "/m/1.mp3", {1, 1}, CachedFacts{});
        ASSERT_TRUE(cache.Save());
    }
    struct stat before {};
    ASSERT_EQ(::stat(cachePath.c_str(), &before), 0);
    {
        CTagCache cache(cachePath, "CP932");
        CachedFacts out;
        EXPECT_TRUE(cache.Find("/m/1.mp3", {1, 1}, out));
        EXPECT_FALSE(cache.Find("/m/2.mp3", {1, 1}, out));
        ASSERT_TRUE(cache.Save());
    }
    struct stat after {};
    ASSERT_EQ(::stat(cachePath.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "an atomic rewrite makes a new file";
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

TEST_F(TagCacheTest, AFailedSaveSaysWhyAndLeavesNothingBehind) {
    std::filesystem::create_directory(cachePath);
    CTagCache cache(cachePath, "CP932");
    Store(cache, "/a.mp3", {1, 1}, CachedFacts{});
    std::string error;
    EXPECT_FALSE(cache.Save(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(cachePath));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "only the folder in the way";
}

TEST_F(TagCacheTest, AFileThatChangesWhileItIsReadGivesOneStateOfIt) {
    const std::string path = Copy("cbr_id3v1.mp3");
    int reads = 0;
    const FileReading grown = ReadTrackFile(path, "mp3", CTextCodec(), [&] {
        if (reads++ == 0)
            std::ofstream(path, std::ios::binary | std::ios::app) << std::string(5000, '\0');
    });
    FileStamp now;
    ASSERT_TRUE(QueryFileStamp(path, now));
    EXPECT_EQ(reads, 2);
    EXPECT_TRUE(grown.Settled);
    EXPECT_EQ(grown.Stamp, now);

    const FileReading truncated = ReadTrackFile(path, "mp3", CTextCodec(), [&] {
        std::filesystem::resize_file(path, static_cast<uintmax_t>(++reads) * 100);
    });
    EXPECT_FALSE(truncated.Settled) << "changed before every read";
}

TEST(TagCachePath, TheXdgProfileKeepsItsCacheInTheCacheFolderOthersBesideThemselves) {
    EXPECT_EQ(TagCachePath("/home/u/.config/torvane/torvane.ini", "", "", "/home/u"),
              "/home/u/.cache/torvane/tags.cache");
    EXPECT_EQ(TagCachePath("/x/conf/torvane/torvane.ini", "/x/conf", "/x/cache", "/home/u"),
              "/x/cache/torvane/tags.cache");
    EXPECT_EQ(TagCachePath("/home/u/.config/torvane/torvane.ini", "", "relative", "/home/u"),
              "/home/u/.cache/torvane/tags.cache");
    EXPECT_EQ(TagCachePath("/opt/torvane/torvane.ini", "", "", "/home/u"),
              "/opt/torvane/torvane-tags.cache");
}

} // namespace
} // namespace torvane::test
