#include "core/listops/FolderSearch.h"
#include "ListOpsFixture.h"
#include "StalledStorage.h"

#include <algorithm>
#include <sys/stat.h>

namespace torvane {
namespace {

using test::Texts;

class FolderSearchTest : public test::ListOpsTest {
protected:
    FolderSearchTest() {
        dir.Write("root/.hidden.mp3", "h");
        dir.Write("root/.hiddendir/deep/er/x.mp3", "x");
        dir.Write("root/a.mp3", std::string(499999, 'a'));
        dir.Write("root/big.mp3", std::string(500000, 'b'));
        dir.Write("root/readme.txt", "r");
        dir.Write("root/sub/Song.MP3", "s");
        dir.Write("root/xmp3", "n");
        namespace fs = std::filesystem;
        fs::create_directory_symlink(".", root + "/loop");
        fs::create_directory_symlink("..", root + "/sub/up");
        fs::create_directory_symlink("sub", root + "/link");
        fs::create_symlink("nowhere", root + "/dangling");
        ::mkfifo((root + "/fifo").c_str(), 0600);
    }

    std::vector<std::string> Search(const std::string& text,
                                    TermCondition exclude = TermCondition::Contains,
                                    SearchTarget target = SearchTarget::Path) {
        request.exclude = exclude;
        request.target = target;
        SplitSearchTerms(request, text);
        const int added = SearchFolder(doc, request, root);
        std::vector<std::string> paths;
        for (const CListData* record : doc.CurrentList())
            paths.push_back(record->FilePath().substr(root.size() + 1));
        EXPECT_EQ(added, static_cast<int>(paths.size()));
        Clear();
        return paths;
    }

    const std::string root = dir / "root";
    SearchRequest request;
};

TEST_F(FolderSearchTest, WholeTreeWithHiddenEntriesWithoutLinkLoops) {
    doc.Settings().SearchClass = 1; // the scan depth does not apply
    EXPECT_EQ(Search(""), (Texts{".hidden.mp3", ".hiddendir/deep/er/x.mp3", "a.mp3", "big.mp3",
                                 "link/Song.MP3", "readme.txt", "sub/Song.MP3", "xmp3"}))
        << "links into the tree are followed, links back up are not; no fifo";
    EXPECT_GE(view.CountHistory.size(), 5u) << "the count is shown folder by folder";
    EXPECT_TRUE(Search("", TermCondition::Excludes).empty())
        << "NOT with an empty text adds nothing";
}

TEST_F(FolderSearchTest, TextOnThePathOrTheName) {
    EXPECT_EQ(Search("/SUB/"), (Texts{"sub/Song.MP3"}));
    EXPECT_EQ(Search("song", TermCondition::Contains, SearchTarget::FileName),
              (Texts{"link/Song.MP3", "sub/Song.MP3"}));
    EXPECT_EQ(Search("mp3", TermCondition::Contains, SearchTarget::FileName), (Texts{"xmp3"}))
        << "the name stops at the last dot";
    EXPECT_EQ(Search(".mp3 /.hidden", TermCondition::Excludes), (Texts{"readme.txt", "xmp3"}));
}

TEST_F(FolderSearchTest, ExtensionAndSizeConditions) {
    request.useExtension = true;
    request.extension = "mp3";
    EXPECT_EQ(Search(""), (Texts{".hidden.mp3", ".hiddendir/deep/er/x.mp3", "a.mp3", "big.mp3",
                                 "link/Song.MP3", "sub/Song.MP3"}))
        << "any case; the registry must accept the type too (xmp3 has none)";

    request.useExtension = false;
    request.useSize = true;
    request.sizeKB = 500;
    EXPECT_EQ(Search(""), (Texts{"big.mp3"})) << "500 KB: 500,000 bytes";
    request.sizeAtMost = Bound::AtMost;
    request.sizeKB = 499;
    EXPECT_EQ(Search("").size(), 6u) << "all but a.mp3 and big.mp3";
}

TEST_F(FolderSearchTest, ANameEndingInABlankStaysWhole) {
    dir.Write("root/sub/end.mp3 ", "e");
    EXPECT_EQ(Search("end", TermCondition::Contains, SearchTarget::FileName),
              (Texts{"link/end.mp3 ", "sub/end.mp3 "}));
}

TEST_F(FolderSearchTest, AddsToTheSearchListInSearchMode) {
    doc.SetSearchMode(true);
    request.useExtension = true;
    request.extension = "txt";
    EXPECT_EQ(SearchFolder(doc, request, root), 0) << "txt is not registered";
    request.useExtension = false;
    SplitSearchTerms(request, "readme");
    EXPECT_EQ(SearchFolder(doc, request, root), 1);
    EXPECT_EQ(doc.SearchList().size(), 1u);
    EXPECT_TRUE(doc.AllList().empty());
    EXPECT_EQ(SearchFolder(doc, request, root + "/readme.txt"), 0) << "not a folder";
}

TEST_F(FolderSearchTest, RunsUnderAProgressWindowThatCancels) {
    SplitSearchTerms(request, "");
    EXPECT_EQ(SearchFolder(doc, request, root), 8);
    EXPECT_EQ(host.ProgressOpened, 1);
    EXPECT_EQ(host.ProgressClosed, 1);
    EXPECT_FALSE(host.WaitCursor);
    ASSERT_FALSE(host.ProgressPositions.empty());
    EXPECT_TRUE(std::is_sorted(host.ProgressPositions.begin(), host.ProgressPositions.end()));
    EXPECT_LT(host.ProgressPositions.back(), 100);
    Clear();

    host.CancelAfter = 3; // during the first entries of the top folder
    const int added = SearchFolder(doc, request, root);
    EXPECT_LT(added, 8);
    EXPECT_EQ(doc.CurrentList().size(), static_cast<size_t>(added)) << "what was added stays";
    EXPECT_EQ(host.ProgressClosed, 2);
}

// A folder that never answers (a share that stopped) holds up neither the window nor the
// cancel: storage is asked off the window's thread, and the search ends with what it added.
TEST_F(FolderSearchTest, ACancelEndsTheWaitForAFolderThatNeverAnswers) {
    host.OffThread = true;
    host.CancelAfter = 40; // the entries up to sub, then some turns of the wait (about 20 ms each)
    test::CStalledPath stalled(root + "/sub");
    SplitSearchTerms(request, "");
    const int added = SearchFolder(doc, request, root);
    EXPECT_TRUE(stalled.Holding());
    EXPECT_EQ(Paths(), (Texts{"root/.hidden.mp3", "root/.hiddendir/deep/er/x.mp3", "root/a.mp3",
                              "root/big.mp3", "root/link/Song.MP3", "root/readme.txt"}))
        << "everything before sub in name order";
    EXPECT_EQ(added, 6);
    EXPECT_EQ(host.ProgressClosed, 1);
}

} // namespace
} // namespace torvane
