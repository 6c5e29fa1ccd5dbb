#include "core/reading/ReadAhead.h"
#include "DocFixture.h"
#include "ReaderFixtures.h"
#include "RecordDump.h"
#include "StalledStorage.h"
#include "core/commands/InfoCommands.h"
#include "core/gather/Gathering.h"
#include "core/gather/ListFileReader.h"
#include "core/reading/TagCache.h"

#include <filesystem>
#include <set>

namespace torvane::test {
namespace {

// A tree of real files of every format, with an empty file, a missing list entry, a nested
// list and relative entries, gathered by every route that reads ahead.
class ReadAheadTest : public ::testing::Test {
protected:
    ReadAheadTest() {
        const char* files[] = {"cbr_id3v1.mp3",        "vbr_xing.mp3",    "info.wav",
                               "oggwma-tone.ogg",      "oggwma-tone.wma", "lib-tone.flac",
                               "lib-tags.opus",        "lib-aac.m4a",     "lib-id3.aif",
                               "lib-opus-content.ogg", "id3v24_utf8.mp3"};
        std::filesystem::create_directories(dir / "tree/a");
        std::filesystem::create_directories(dir / "tree/b");
        int i = 0;
        for (const char* name : files) {
            const std::string folder = (i++ % 3 == 0) ? "tree/a/" : "tree/b/";
            std::filesystem::copy_file(DataFile(name), dir / (folder + name));
        }
        dir.Write("tree/b/empty.mp3", "");
        // More folders of files only, one reached through a link: each is queued while the
        // one before it is read.
        std::filesystem::create_directories(dir / "tree/c");
        std::filesystem::copy_file(DataFile("info.wav"), dir / "tree/c/info.wav");
        std::filesystem::copy_file(DataFile("lib-tone.flac"), dir / "tree/c/lib-tone.flac");
        std::filesystem::create_directory_symlink("a", dir / "tree/d");
        dir.Write("tree/b/inner.m3u8", "../a/cbr_id3v1.mp3\n" + dir / "tree/b/lib-aac.m4a\n");
        dir.Write("list.m3u", "#EXTM3U\ntree/a/info.wav\nmissing.mp3\n\"tree/b/inner.m3u8\"\n" +
                                  dir / "tree/b/lib-tone.flac\r\ntree/b/empty.mp3\n");
    }

    struct Outcome {
        std::vector<std::string> Records;
        std::vector<int> Positions;
    };

    // Runs every route on a fresh document with the given reading threads, through the tag
    // cache in cacheFile when one is named (saved afterwards).
    Outcome Gather(int threads, int cancelAfter = 0, const std::string& cacheFile = {},
                   bool offThread = false, int readOnLoad = DocSettings::ReadTags, int depth = 0) {
        CProfile profile(dir / "torvane.ini");
        CFakeHost host;
        host.CancelAfter = cancelAfter;
        host.OffThread = offThread;
        CFakeView view;
        CTorvaneDoc doc(profile, host);
        doc.SetView(&view);
        doc.Settings().readtag = readOnLoad;
        doc.Settings().ReadThreads = threads;
        doc.Settings().SearchClass = depth;
        if (!cacheFile.empty())
            doc.UseTagCache(std::make_unique<CTagCache>(cacheFile, "CP932"));
        OpenFolder(doc, dir / "tree");
        ReadListFile(doc, dir / "list.m3u", nullptr, 100);
        DropFiles(doc, {dir / "tree/a", dir / "tree/b/lib-tags.opus", dir / "list.m3u",
                        dir / "tree/b/vbr_xing.mp3", dir / "tree/b/lib-id3.aif"});
        LoadCommandLine(
            doc, {dir / "tree/b/vbr_xing.mp3", dir / "nothing.mp3", dir / "tree/b/lib-tags.opus"});
        OpenFiles(doc, {dir / "tree/b/info.wav", dir / "list.m3u", dir / "tree/a/cbr_id3v1.mp3"});
        GetInfo(doc, InfoScope::All);
        Outcome outcome;
        for (const CListData* record : doc.AllList())
            outcome.Records.push_back(DumpRecord(*record));
        outcome.Positions = host.ProgressPositions;
        if (!cacheFile.empty()) {
            EXPECT_TRUE(doc.TagCache()->Save());
        }
        return outcome;
    }

    // A document gathering with tags read on load, whose host keeps storage off the
    // operation's thread (a window's) and cancels after cancelAfter questions.
    struct CWaitingDoc {
        CWaitingDoc(const std::string& profilePath, int cancelAfter) : profile(profilePath) {
            host.OffThread = true;
            host.CancelAfter = cancelAfter;
            doc.Settings().readtag = DocSettings::ReadTags;
        }
        CProfile profile;
        CFakeHost host;
        CTorvaneDoc doc{profile, host};
    };

    CTempDir dir;
};

TEST_F(ReadAheadTest, ReadingOnWorkerThreadsGivesTheRecordsOrderAndProgressOfReadingInTurn) {
    const Outcome inTurn = Gather(1);
    ASSERT_GT(inTurn.Records.size(), 30u);
    for (int threads : {2, 5}) {
        const Outcome ahead = Gather(threads);
        EXPECT_EQ(ahead.Records, inTurn.Records) << threads << " threads";
        EXPECT_EQ(ahead.Positions, inTurn.Positions) << threads << " threads";
    }
}

// Records made ahead on the workers, filled from a cache being filled and then from a full one,
// are those made in turn without any cache.
TEST_F(ReadAheadTest, RecordsMadeAheadThroughTheTagCacheAreThoseMadeInTurn) {
    const Outcome inTurn = Gather(1);
    for (int threads : {1, 3}) {
        const std::string cache = dir / ("tags-" + std::to_string(threads) + ".cache");
        const Outcome filling = Gather(threads, 0, cache);
        const Outcome full = Gather(threads, 0, cache);
        EXPECT_EQ(filling.Records, inTurn.Records) << threads << " threads";
        EXPECT_EQ(full.Records, inTurn.Records) << threads << " threads";
        EXPECT_EQ(full.Positions, inTurn.Positions) << threads << " threads";
    }
}

TEST_F(ReadAheadTest, ACancelStopsAtTheSameRecordWithOrWithoutReadingAhead) {
    for (int cancelAfter : {3, 12, 40}) {
        const Outcome inTurn = Gather(1, cancelAfter);
        const Outcome ahead = Gather(4, cancelAfter);
        EXPECT_EQ(ahead.Records, inTurn.Records) << "cancel after " << cancelAfter;
        EXPECT_EQ(ahead.Positions, inTurn.Positions) << "cancel after " << cancelAfter;
    }
}

// A window's thread waits on no storage: every file, listing and status is asked on other
// threads, with the same outcome, also when only sizes are read on load.
TEST_F(ReadAheadTest, AnOperationThatOnlyWaitsGathersWhatReadingInTurnGathers) {
    for (int readOnLoad : {int(DocSettings::ReadTags), int(DocSettings::ReadSizes)}) {
        const Outcome inTurn = Gather(1, 0, {}, false, readOnLoad);
        for (int threads : {1, 3}) {
            const Outcome waiting = Gather(threads, 0, {}, true, readOnLoad);
            EXPECT_EQ(waiting.Records, inTurn.Records) << threads << " threads";
            EXPECT_EQ(waiting.Positions, inTurn.Positions) << threads << " threads";
        }
    }
}

// On storage that keeps every request waiting, folders are listed ahead together and many
// files read at once, by more readers than asked for, in no set order: what is gathered, and
// the progress, are still those of reading in turn, at every depth and also when the
// operation only waits.
TEST_F(ReadAheadTest, SlowStorageGathersWhatReadingInTurnGathers) {
    for (int depth : {0, 2}) {
        const Outcome inTurn = Gather(1, 0, {}, false, DocSettings::ReadTags, depth);
        const CSlowStorage slow(std::chrono::microseconds(1500));
        for (bool offThread : {false, true}) {
            const Outcome ahead = Gather(2, 0, {}, offThread, DocSettings::ReadTags, depth);
            EXPECT_EQ(ahead.Records, inTurn.Records) << depth << (offThread ? " waiting" : "");
            EXPECT_EQ(ahead.Positions, inTurn.Positions) << depth;
        }
    }
}

// A folder whose listing never comes (a share that stopped answering) holds up no cancel: the
// scan ends while the listing still waits, with what it added before.
TEST_F(ReadAheadTest, ACancelEndsTheWaitForAListingThatNeverComes) {
    // the questions of the scan up to b, then some turns of the wait (each about 20 ms)
    CWaitingDoc waiting(dir / "torvane.ini", 60);
    CTorvaneDoc& doc = waiting.doc;
    CStalledPath stalled(dir / "tree/c");
    OpenFolder(doc, dir / "tree");
    EXPECT_TRUE(stalled.Holding());
    // The subfolders are listed together ahead of the scan: a and b, which answered, were
    // added in full before the scan came to c; nothing after c was.
    std::set<std::string> folders;
    for (const CListData* record : doc.AllList())
        folders.insert(std::filesystem::path(record->FilePath()).parent_path().filename());
    EXPECT_EQ(folders, (std::set<std::string>{"a", "b"}));
    EXPECT_EQ(doc.AllList().size(), 12u);
}

// The folder the files of b are looked up in (it holds eight, enough to be opened for them)
// opens on a reader, never on the operation's thread: when it never opens, the cancel still
// ends the scan, with the files of a, added before.
TEST_F(ReadAheadTest, ACancelEndsTheWaitForAFolderThatNeverOpens) {
    CWaitingDoc waiting(dir / "torvane.ini", 60);
    CTorvaneDoc& doc = waiting.doc;
    CStalledPath stalled(dir / "tree/b/"); // the listing of b, without the separator, answers
    OpenFolder(doc, dir / "tree");
    EXPECT_TRUE(stalled.Holding());
    std::set<std::string> folders;
    for (const CListData* record : doc.AllList())
        folders.insert(std::filesystem::path(record->FilePath()).parent_path().filename());
    EXPECT_EQ(folders, (std::set<std::string>{"a"}));
}

// The status queries that resolve a list's relative entries wait on storage too: one that never
// comes holds up no cancel.
TEST_F(ReadAheadTest, ACancelEndsTheWaitForAListEntryThatNeverResolves) {
    CWaitingDoc waiting(dir / "torvane.ini", 20);
    CTorvaneDoc& doc = waiting.doc;
    CStalledPath stalled(dir / "tree/a/info.wav");
    ListFileReading reading;
    ReadListFile(doc, dir / "list.m3u", nullptr, 100, &reading);
    EXPECT_TRUE(stalled.Holding());
    EXPECT_TRUE(doc.AllList().empty());
    EXPECT_FALSE(reading.Complete) << "a kept list read so is not written over unasked";
}

// A file whose reading never ends (a share that stopped answering) holds up neither the
// cancel nor the document going away (at exit): its reader is left behind, and when the
// storage answers at last it ends without touching anything the document owned.
TEST_F(ReadAheadTest, AReaderThatStorageHoldsIsLeftBehind) {
    CStalledPath stalled(dir / "tree/a/cbr_id3v1.mp3");
    {
        CWaitingDoc waiting(dir / "torvane.ini", 60);
        waiting.doc.UseTagCache(std::make_unique<CTagCache>(dir / "tags.cache", "CP932"));
        OpenFolder(waiting.doc, dir / "tree");
        ASSERT_TRUE(stalled.Holding());
    }
    EXPECT_TRUE(stalled.Holding()) << "the document waited for the reader";
    stalled.Release(); // the reader reads on, into the cache it shares, and ends
    EXPECT_TRUE(CReadAhead::AwaitReaders(std::chrono::seconds(30)));
}

// A number of readers no machine has, from an edited profile or set directly, neither ends the
// program nor changes what is gathered.
TEST_F(ReadAheadTest, TheNumberOfReadingThreadsIsBounded) {
    const auto fromProfile = [](const std::string& value) {
        CProfile profile;
        profile.Parse("[app]\nReadThreads=" + value + "\n");
        CFakeHost host;
        return CTorvaneDoc(profile, host).Settings().ReadThreads;
    };
    EXPECT_EQ(fromProfile("100000"), 0) << "out of range: as many as the machine has";
    EXPECT_EQ(fromProfile("-3"), 0);
    EXPECT_EQ(fromProfile("65"), 0);
    EXPECT_EQ(fromProfile("64"), 64);
    EXPECT_EQ(fromProfile("1"), 1);

    EXPECT_EQ(Gather(100000).Records, Gather(1).Records);
}

} // namespace
} // namespace torvane::test
