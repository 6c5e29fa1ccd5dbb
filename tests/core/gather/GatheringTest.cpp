#include "core/gather/Gathering.h"
#include "DocFixture.h"

#include <filesystem>

namespace torvane {
namespace {

namespace fs = std::filesystem;
using test::Texts;

class GatheringTest : public test::DocTest {
protected:
    // root/s/t/y.mp3, root/s/x.mp3, root/a.mp3, root/b.mp3, plus hidden entries and a file of
    // an unregistered type.
    void MakeTree() {
        Touch({"root/s/t/y.mp3", "root/s/x.mp3", "root/a.mp3", "root/b.mp3", "root/.c.mp3",
               "root/.h/z.mp3", "root/s/.d.ogg", "root/notes.doc"});
    }
    std::string Root() const { return dir / "root"; }
    void OpenRootAtDepth(int depth) {
        doc.Settings().SearchClass = depth;
        OpenFolder(doc, Root());
    }
};

TEST_F(GatheringTest, FolderDepthAndOrder) {
    MakeTree();
    OpenRootAtDepth(1);
    EXPECT_EQ(Paths(), (Texts{"root/b.mp3", "root/a.mp3"})) << "files in reverse listing order";
    Clear();

    OpenRootAtDepth(2);
    EXPECT_EQ(Paths(), (Texts{"root/s/x.mp3", "root/b.mp3", "root/a.mp3"})) << "subfolders first";
    Clear();

    OpenRootAtDepth(0);
    EXPECT_EQ(Paths(), (Texts{"root/s/t/y.mp3", "root/s/x.mp3", "root/b.mp3", "root/a.mp3"}))
        << "every level; hidden files and folders skipped";
    EXPECT_EQ(view.Count, 4);
}

TEST_F(GatheringTest, SubfoldersInNameOrderEachFully) {
    Touch({"root/B/2.mp3", "root/A/1.mp3", "root/A/deep/0.mp3", "root/z.mp3", "root/Z.mp3"});
    OpenRootAtDepth(0);
    EXPECT_EQ(Paths(), (Texts{"root/A/deep/0.mp3", "root/A/1.mp3", "root/B/2.mp3", "root/z.mp3",
                              "root/Z.mp3"}))
        << "byte order: upper case sorts first, so its file is added last";
}

TEST_F(GatheringTest, SymbolicLinkLoopsAreNotFollowed) {
    Touch({"root/s/x.mp3", "root/a.mp3", "other/o.mp3"});
    fs::create_directory_symlink(Root(), Root() + "/s/up"); // back to an ancestor
    fs::create_directory_symlink(Root() + "/s", Root() + "/s/self");
    fs::create_directory_symlink(dir / "other", Root() + "/elsewhere"); // not on the path
    OpenRootAtDepth(0);
    EXPECT_EQ(Paths(), (Texts{"root/elsewhere/o.mp3", "root/s/x.mp3", "root/a.mp3"}));
}

TEST_F(GatheringTest, ProgressSpansOfTheScan) {
    Touch({"root/s/x.mp3", "root/a.mp3"});
    OpenRootAtDepth(0);
    // Two entries plus "." and "..": steps of 25 from 1; the subfolder's own three entries share
    // its 25 in steps of 8.33.
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 26, 34, 51}));
    EXPECT_EQ(host.ProgressClosed, 1);
    EXPECT_FALSE(host.WaitCursor);
}

TEST_F(GatheringTest, OpenFolderEntersTheHistoryAndRefusesAnEmptyChoice) {
    MakeTree();
    OpenFolder(doc, "");
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "フォルダ名が不正です。");
    EXPECT_EQ(host.Messages[0].Caption, "error");
    EXPECT_TRUE(doc.FolderHistory().Entries().empty());

    OpenFolder(doc, Root());
    EXPECT_EQ(doc.FolderHistory().Entries(), (Texts{Root()}));
    OpenFolder(doc, dir / "missing");
    EXPECT_EQ(doc.CurrentList().size(), 4u) << "a folder that cannot be listed adds nothing";
}

TEST_F(GatheringTest, CancelStopsEveryLevelAndKeepsWhatWasAdded) {
    MakeTree();
    host.CancelAfter = 6;
    OpenRootAtDepth(0);
    EXPECT_LT(doc.CurrentList().size(), 4u);
    EXPECT_EQ(view.Count, static_cast<int>(doc.CurrentList().size()));
    EXPECT_EQ(host.ProgressClosed, 1);
}

TEST_F(GatheringTest, DropMixesFoldersListsAndPlainFiles) {
    MakeTree();
    Touch({"drop/c.mp3", "drop/noext", "drop/sub/s.mp3"});
    dir.Write("drop/list.m3u", "sub/s.mp3\n");
    dir.Write("drop/list.TXT", "c.mp3\n");
    DropFiles(doc, {Root(), dir / "drop/list.m3u", dir / "drop/noext", dir / "drop/c.mp3",
                    dir / "drop/list.TXT", dir / "drop.d/x"});
    EXPECT_EQ(Paths(), (Texts{"root/s/t/y.mp3", "root/s/x.mp3", "root/b.mp3", "root/a.mp3",
                              "drop/sub/s.mp3", "drop/c.mp3", "drop/c.mp3"}));
    EXPECT_EQ(doc.FileHistory().Entries(), (Texts{dir / "drop/list.TXT", dir / "drop/list.m3u"}));
    EXPECT_TRUE(doc.FolderHistory().Entries().empty()) << "dropped folders stay out";
    EXPECT_EQ(view.Count, 7);
}

TEST_F(GatheringTest, DropGivesEachPathItsShareOfTheBar) {
    Touch({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
    DropFiles(doc, {dir / "a.mp3", dir / "b.mp3", dir / "c.mp3", dir / "d.mp3"});
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 0, 25, 50, 75}));
}

TEST_F(GatheringTest, CommandLineSkipsWhatDoesNotExist) {
    MakeTree();
    dir.Write("list.m3u", "root/a.mp3\n");
    LoadCommandLine(doc, {dir / "root/s", dir / "missing.mp3", dir / "list.m3u", dir / "root/b.mp3",
                          dir / "root/notes.doc"});
    EXPECT_EQ(Paths(), (Texts{"root/s/t/y.mp3", "root/s/x.mp3", "root/a.mp3", "root/b.mp3"}));
    EXPECT_EQ(view.Count, 4);

    view.CountHistory.clear();
    LoadCommandLine(doc, {});
    EXPECT_EQ(view.CountHistory, (std::vector<int>{4})) << "the count is given also without";
}

TEST_F(GatheringTest, NamesEndingInABlankAreTakenAsTheFolderListsThem) {
    // Of types "mp3 " and "mp3\t", which none reads: the scan, a drop and the command line leave
    // them out, where the name without its blank would be another file, or none.
    Touch({"root/a.mp3", "root/a.mp3 ", "root/b.mp3\t"});
    for (const int readtag : {0, static_cast<int>(DocSettings::ReadTags)}) {
        doc.Settings().readtag = readtag; // the files read ahead, too
        OpenRootAtDepth(0);
        DropFiles(doc, {Root() + "/a.mp3 "});
        LoadCommandLine(doc, {Root() + "/b.mp3\t"});
        EXPECT_EQ(Paths(), (Texts{"root/a.mp3"})) << readtag;
        Clear();
    }
    EXPECT_TRUE(InputItem(doc, " " + Root() + "/a.mp3\t", false))
        << "a typed path's blanks are no part of it";
    EXPECT_EQ(Paths(), (Texts{"root/a.mp3"}));
}

TEST_F(GatheringTest, InputItemBeepsOnRefusalAndAddsUnexpanded) {
    EXPECT_FALSE(InputItem(doc, dir / "readme.txt", false));
    EXPECT_EQ(host.Beeps, 1);
    EXPECT_TRUE(InputItem(doc, dir / "readme.txt", true)) << "extension check ignored";
    dir.Write("list.m3u", "a.mp3\n");
    EXPECT_TRUE(InputItem(doc, dir / "list.m3u", true)) << "a list typed here is not read";
    EXPECT_EQ(Paths(), (Texts{"readme.txt", "list.m3u"}));
    EXPECT_EQ(view.Count, 2);
    EXPECT_EQ(view.Redraws, 2);
}

TEST_F(GatheringTest, OpenFilesReadsListsAndStopsOnCancel) {
    Touch({"a.mp3", "b.ogg"});
    dir.Write("l.m3u", "b.ogg\n");
    OpenFiles(doc, {dir / "a.mp3", dir / "l.m3u", dir / "x.wav"});
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.ogg", "x.wav"}));

    Clear();
    host.CancelAfter = 2; // the second question of the route's window
    OpenFiles(doc, {dir / "a.mp3", dir / "b.ogg", dir / "x.wav"});
    EXPECT_EQ(Paths(), (Texts{"a.mp3"}));
}

TEST_F(GatheringTest, GatheringInSearchModeFillsTheSearchList) {
    Touch({"a.mp3"});
    doc.SetSearchMode(true);
    OpenFiles(doc, {dir / "a.mp3"});
    EXPECT_EQ(doc.SearchList().size(), 1u);
    EXPECT_TRUE(doc.AllList().empty());
}

TEST_F(GatheringTest, HistoryItemsReadAgain) {
    MakeTree();
    dir.Write("one.m3u", "root/a.mp3\n");
    dir.Write("two.m3u", "root/b.mp3\n");
    DropFiles(doc, {dir / "one.m3u", dir / "two.m3u"});
    OpenFileHistoryItem(doc, 1);
    EXPECT_EQ(doc.FileHistory().At(0), dir / "one.m3u") << "read again, moved to the front";
    EXPECT_EQ(Paths(), (Texts{"root/a.mp3", "root/b.mp3", "root/a.mp3"}));
    OpenFileHistoryItem(doc, 4); // empty slot: nothing
    EXPECT_EQ(doc.CurrentList().size(), 3u);

    OpenFolder(doc, Root() + "/s");
    OpenFolder(doc, Root());
    Clear();
    doc.Settings().SearchClass = 1;
    OpenFolderHistoryItem(doc, 1);
    EXPECT_EQ(Paths(), (Texts{"root/s/x.mp3"}));
    EXPECT_EQ(doc.FolderHistory().At(0), Root()) << "the folder history keeps its order";
}

} // namespace
} // namespace torvane
