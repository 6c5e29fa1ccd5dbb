#include "core/doc/AutoSave.h"
#include "DocFixture.h"

#include <filesystem>

namespace torvane {
namespace {

using test::Texts;

class AutoSaveTest : public test::DocTest {
protected:
    std::string SavedList() const { return dir / "Torvane.m3u"; }
};

TEST_F(AutoSaveTest, BesideTheProfile) {
    EXPECT_EQ(AutoSavePath(doc), SavedList());
}

TEST_F(AutoSaveTest, SavesTheAllListOnlyWhenSwitchedOn) {
    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_FALSE(AutoSaveListExists(doc)) << "CloseSave off: nothing";

    doc.Settings().CloseSave = 1;
    doc.SetSearchMode(true);
    ASSERT_TRUE(doc.AddFile("/m/found.mp3", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(doc.SearchMode(), 0) << "search mode is left first";
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/a.mp3\r\n");
}

TEST_F(AutoSaveTest, AnEmptyListDeletesTheFile) {
    doc.Settings().CloseSave = 1;
    dir.Write("Torvane.m3u", "/m/old.mp3\r\n");
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_FALSE(AutoSaveListExists(doc));
    EXPECT_TRUE(AutoSaveList(doc)) << "no file to delete is no error";
}

TEST_F(AutoSaveTest, AFailedSaveKeepsTheLastList) {
    doc.Settings().CloseSave = 1;
    dir.Write("Torvane.m3u", "/m/old.mp3\r\n");
    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    host.FullDiskFor = {SavedList()};
    EXPECT_FALSE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/old.mp3\r\n");
    EXPECT_EQ(host.MessageTexts(), (Texts{"ファイルのオープンに失敗しました"}));
}

TEST_F(AutoSaveTest, LoadsOnlyIntoAnEmptyAllListWhenSwitchedOn) {
    Touch({"a.mp3"});
    dir.Write("Torvane.m3u", dir / "a.mp3" + "\r\n");
    AutoLoadList(doc);
    EXPECT_TRUE(doc.AllList().empty()) << "CloseSave off";

    doc.Settings().CloseSave = 1;
    doc.SetSearchMode(true);
    AutoLoadList(doc);
    EXPECT_EQ(doc.SearchMode(), 0);
    EXPECT_EQ(Paths(), (Texts{"a.mp3"}));
    EXPECT_EQ(view.Count, 1);
    EXPECT_EQ(doc.FileHistory().Entries(), (Texts{SavedList()}));

    AutoLoadList(doc);
    EXPECT_EQ(doc.AllList().size(), 1u) << "a list filled by the command line is kept alone";

    OpenAutoSaveList(doc);
    EXPECT_EQ(doc.AllList().size(), 2u) << "the menu item reads it whatever the setting";
}

} // namespace
} // namespace torvane
