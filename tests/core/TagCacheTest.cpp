#include "core/doc/TagCache.h"
#include "DocFixture.h"
#include "ReaderFixtures.h"
#include "RecordDump.h"
#include "core/doc/Gathering.h"
#include "core/doc/InfoCommands.h"
#include "core/doc/ProfileLocation.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace torvane::test {
namespace {

// Overwrites a file with zeros of the same length and gives it back its modification time:
// only a reading that opens the file can tell.
void BlankKeepingStamp(const std::string& path) {
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    std::ofstream(path, std::ios::binary) << std::string(static_cast<size_t>(st.st_size), '\0');
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

void SetModified(const std::string& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
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
        const std::string path = dir / name;
        std::filesystem::copy_file(DataFile(name), path);
        return path;
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
    for (const std::string& path : paths)
        BlankKeepingStamp(path);

    Run second(*this);
    Run uncached(*this, false);
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(second.Add(paths[i]), fresh[i]);
        EXPECT_NE(uncached.Add(paths[i]), fresh[i]) << "the file itself says otherwise now";
    }

    // The same hits found by the readers of a folder scan, whose status they ask of the folder.
    Run scan(*this);
    scan.doc.Settings().ReadThreads = 3;
    OpenFolder(scan.doc, dir.Path());
    std::vector<std::string> scanned;
    for (const CListData* record : scan.doc.AllList())
        scanned.push_back(DumpRecord(*record));
    std::sort(scanned.begin(), scanned.end());
    std::sort(fresh.begin(), fresh.end());
    EXPECT_EQ(scanned, fresh);
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
    BlankKeepingStamp(changed);
    SetModified(changed, 1000000000);
    BlankKeepingStamp(asked);
    {
        Run second(*this);
        const std::string record = second.Add(changed);
        EXPECT_NE(record.find("タグなし"), std::string::npos) << "read again: " << record;
        EXPECT_EQ(second.Add(asked), askedFresh) << "unchanged stamp: the kept facts";

        second.view.Selection = {1};
        GetInfo(second.doc, InfoScope::Selection);
        EXPECT_NE(DumpRecord(*second.doc.AllList()[1]), askedFresh);
    }
    Run third(*this);
    EXPECT_NE(third.Add(asked), askedFresh) << "the entry was renewed by the read";
}

TEST_F(TagCacheTest, ForeignDamagedOrOtherCodePageFilesAreIgnoredWhole) {
    const std::string path = Copy("cbr_id3v1.mp3");
    const FileStamp stamp{123, 456};
    CachedFacts facts;
    facts.Facts.Std.Title = "kept";
    {
        CTagCache cache(cachePath, "CP932");
        cache.Store(path, stamp, facts);
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    CachedFacts found;
    EXPECT_TRUE(CTagCache(cachePath, "CP932").Find(path, stamp, found));
    EXPECT_EQ(found.Facts.Std.Title, "kept");
    EXPECT_FALSE(CTagCache(cachePath, "CP932").Find(path, {123, 457}, found));
    EXPECT_FALSE(CTagCache(cachePath, "CP1252").Find(path, stamp, found));

    for (const std::string& damaged :
         {saved.substr(0, saved.size() - 3), saved + "x", std::string("garbage"), std::string(),
          saved.substr(0, 8) + std::string(64, '\xFF')}) {
        dir.Write("torvane-tags.cache", damaged);
        CTagCache cache(cachePath, "CP932");
        EXPECT_FALSE(cache.Find(path, stamp, found));
        cache.Store(path, stamp, facts);
        EXPECT_TRUE(cache.Save());
        EXPECT_TRUE(CTagCache(cachePath, "CP932").Find(path, stamp, found)) << "written anew";
    }
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
            cache.Store(path, {1, 1}, facts);
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
            cache.Store(path, {1, 1}, facts);
        EXPECT_TRUE(cache.Save());
        return dir.Read("torvane-tags.cache");
    };
    save({"/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/4.mp3"}, "t");
    {
        CTagCache cache(cachePath, "CP932");
        CachedFacts out;
        for (const char* path : {"/m/4.mp3", "/m/3.mp3", "/m/1.mp3"})
            EXPECT_TRUE(cache.Find(path, {1, 1}, out));
        ASSERT_TRUE(cache.Save());
    }
    const std::string saved = dir.Read("torvane-tags.cache");
    const auto at = [&](const char* path) { return saved.find(path); };
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
        ASSERT_TRUE(cache.Save());
    }
    const std::string once = dir.Read("torvane-tags.cache");
    EXPECT_EQ(once.find("/m/x.mp3"), once.rfind("/m/x.mp3"));
    CachedFacts out;
    ASSERT_TRUE(CTagCache(cachePath, "CP932").Find("/m/x.mp3", {1, 1}, out));
    EXPECT_EQ(out.Facts.Std.Title, "second");
}

TEST_F(TagCacheTest, AFailedSaveSaysWhyAndLeavesNothingBehind) {
    std::filesystem::create_directory(cachePath);
    CTagCache cache(cachePath, "CP932");
    cache.Store("/a.mp3", {1, 1}, CachedFacts{});
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
        std::filesystem::resize_file(path, static_cast<uintmax_t>(++reads * 100));
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
