// The file operations on the selected rows: opening with the registered or the default
// application, the trash, the properties, the containing folders and the clipboard texts.

#include "DocFixture.h"

#include "core/commands/FileOperations.h"

namespace torvane::test {
namespace {

class FileOperationsTest : public DocTest {
protected:
    // Writes the files and adds them to the current list, without the extension check.
    void AddFiles(std::initializer_list<const char*> names) {
        for (const char* name : names)
            ASSERT_TRUE(doc.AddFile(dir.Write(name, "x"), false)) << name;
        doc.UpdateItemCount();
    }
    // Registers an application for the extension.
    void Register(const std::string& ext, const std::string& app, int enabled = 1) {
        doc.Extensions().ApplyExtensionDialog({{ext, app, enabled}});
    }
    std::string PathOf(size_t row) const { return doc.CurrentList()[row]->FilePath(); }

    CFakeDesktop desktop;
};

TEST_F(FileOperationsTest, OpenStartsTheRegisteredApplicationThatExists) {
    AddFiles({"a.ogg"});
    const std::string app = dir.Write("bin/player", "#!/bin/sh\n");
    // the enabled flag plays no part
    Register("ogg", app, 0);
    OpenWithApp(doc, desktop, std::vector{0});
    ASSERT_EQ(desktop.Started.size(), 1u);
    EXPECT_EQ(desktop.Started.front(), std::make_pair(app, PathOf(0)));
    EXPECT_TRUE(desktop.OpenedWithDefault.empty());
    EXPECT_TRUE(host.Messages.empty());

    desktop.StartFails = true;
    OpenWithApp(doc, desktop, std::vector{0});
    EXPECT_EQ(host.MessageTexts(),
              Texts{"起動できませんでした。\nアプリケーションのパスを確認してください。"});
    EXPECT_EQ(host.Messages.front().Caption, "Torvane");
    EXPECT_TRUE(desktop.OpenedWithDefault.empty());
}

TEST_F(FileOperationsTest, OpenFallsBackToTheDefaultApplication) {
    AddFiles({"gone.ogg", "folder.wav", "plain.mp3", "README"});
    doc.Extensions().ApplyExtensionDialog(
        {{"ogg", dir / "bin/uninstalled", 1}, {"wav", dir.Path(), 1}, {"", PathOf(2), 1}});
    for (int row = 0; row < 4; ++row)
        OpenWithApp(doc, desktop, std::vector{row});
    EXPECT_TRUE(desktop.Started.empty());
    // not registered (mp3 has no application), registered with a path that is gone or is a
    // folder, and no extension at all even with an entry for the empty extension
    EXPECT_EQ(desktop.OpenedWithDefault, (Texts{PathOf(0), PathOf(1), PathOf(2), PathOf(3)}));
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FileOperationsTest, RecycleRemovesOnlyTheRowsOfMovedFiles) {
    AddFiles({"a.mp3", "b.mp3", "c.mp3"});
    std::filesystem::create_directory(dir / "folder.mp3");
    ASSERT_TRUE(doc.AddFile(dir / "folder.mp3", false));
    ASSERT_TRUE(doc.AddFile(dir / "missing.mp3", false));
    doc.UpdateItemCount();

    RecycleSelected(doc, desktop, std::vector{0, 2, 3, 4});
    EXPECT_EQ(desktop.Trashed, (Texts{dir / "a.mp3", dir / "c.mp3"}));
    EXPECT_EQ(Paths(), (Texts{"b.mp3", "folder.mp3", "missing.mp3"}));
    EXPECT_EQ(view.Count, 3);
    EXPECT_EQ(view.CountText, " 3 件");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FileOperationsTest, RecycleOfARecordInBothListsKeepsItInTheOther) {
    AddFiles({"a.mp3", "b.mp3"});
    CListData* shared = doc.CurrentList()[1];
    shared->AddRef();
    doc.SearchList().push_back(shared);

    RecycleSelected(doc, desktop, std::vector{1});
    EXPECT_EQ(Paths(), Texts{"a.mp3"});
    ASSERT_EQ(doc.SearchList().size(), 1u);
    EXPECT_EQ(doc.SearchList().front(), shared);
    EXPECT_EQ(shared->RefCount(), 1);
}

TEST_F(FileOperationsTest, AFailedMoveKeepsItsRowAndTheRestAndSaysWhy) {
    AddFiles({"a.mp3", "b.mp3", "c.mp3"});
    desktop.TrashFailsFor = {dir / "b.mp3"};

    RecycleSelected(doc, desktop, std::vector{1});
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3", "c.mp3"}));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text,
              "ごみ箱へ移動できませんでした。\n" + (dir / "b.mp3") + "\nPermission denied");
    EXPECT_EQ(host.Messages[0].Caption, "error");

    // a file moved before the failure is gone from the list; the walk stops at the failure
    RecycleSelected(doc, desktop, std::vector{0, 1, 2});
    EXPECT_EQ(desktop.Trashed, Texts{dir / "a.mp3"});
    EXPECT_EQ(Paths(), (Texts{"b.mp3", "c.mp3"}));
    EXPECT_EQ(view.Count, 2);
}

// A name that is not UTF-8: the desktop gets the record's bytes, the texts shown name it
// readably.
TEST_F(FileOperationsTest, NamesThatAreNotUtf8ReachTheDesktopAsBytes) {
    AddFiles({"a\xE9.mp3", "a\xEF\xBF\xBD.mp3"});
    const std::string latin = dir / "a\xE9.mp3";
    ASSERT_EQ(PathOf(0), latin);
    ShowProperties(doc, desktop, std::vector{0});
    EXPECT_EQ(desktop.PropertiesShown, Texts{latin});
    EXPECT_EQ(desktop.PropertiesShownAs, Texts{dir / "aé.mp3"});
    OpenWithApp(doc, desktop, std::vector{0});
    EXPECT_EQ(desktop.OpenedWithDefault, Texts{latin});

    desktop.TrashFailsFor = {latin};
    RecycleSelected(doc, desktop, std::vector{0, 1});
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text,
              "ごみ箱へ移動できませんでした。\n" + (dir / "aé.mp3") + "\nPermission denied");
    EXPECT_TRUE(desktop.Trashed.empty());
}

TEST_F(FileOperationsTest, FoldersOfOneFolderOpenOnceWithItsFiles) {
    AddFiles({"x/1.mp3", "y/2.mp3", "x/3.mp3", "x/4.mp3"});
    OpenContainingFolders(doc, desktop, std::vector{0, 1, 2, 3});
    ASSERT_EQ(desktop.FoldersShown.size(), 2u);
    EXPECT_EQ(desktop.FoldersShown[0].first, dir / "x");
    EXPECT_EQ(desktop.FoldersShown[0].second, (Texts{PathOf(0), PathOf(2), PathOf(3)}));
    EXPECT_EQ(desktop.FoldersShown[1].first, dir / "y");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FileOperationsTest, SixFoldersGiveTheNoticeAndTheFirstFiveInByteOrder) {
    AddFiles({"f/1.mp3", "b/1.mp3", "é/1.mp3", "D/1.mp3", "a/1.mp3", "c/1.mp3"});
    OpenContainingFolders(doc, desktop, std::vector{0, 1, 2, 3, 4, 5});
    EXPECT_EQ(host.MessageTexts(),
              Texts{"5以上のフォルダが選択されました。\n先の5フォルダを開きます。"});
    EXPECT_EQ(host.Messages.front().Caption, "確認");
    Texts opened;
    for (const auto& [folder, files] : desktop.FoldersShown)
        opened.push_back(folder.substr(dir.Path().size() + 1));
    EXPECT_EQ(opened, (Texts{"D", "a", "b", "c", "f"}));
}

TEST_F(FileOperationsTest, AMissingFolderOpensNothing) {
    AddFiles({"a/1.mp3", "b/2.mp3"});
    ASSERT_TRUE(doc.AddFile(dir / "gone/3.mp3", false));
    OpenContainingFolders(doc, desktop, std::vector{0, 1, 2});
    EXPECT_TRUE(desktop.FoldersShown.empty());
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "フォルダの取得に失敗しました。");
    EXPECT_EQ(host.Messages[0].Caption, "error");
    EXPECT_EQ(host.Messages[0].Buttons, MessageButtons::OkCancel);
}

TEST_F(FileOperationsTest, AFileInTheRootHasTheRootAsItsFolder) {
    ASSERT_TRUE(doc.AddFile("/track.mp3", false));
    EXPECT_EQ(ContainingFolders(doc.CurrentList(), std::vector{0}),
              (FolderSet{{"/", {"/track.mp3"}}}));
}

TEST_F(FileOperationsTest, ClipboardTextsHaveNoBreakAfterTheLast) {
    AddFiles({"a.mp3", "b.c.ogg", "README"});
    CopyToClipboard(doc, desktop, std::vector{0, 1, 2}, ClipboardField::Path);
    EXPECT_EQ(desktop.Clipboard, PathOf(0) + "\r\n" + PathOf(1) + "\r\n" + PathOf(2));
    CopyToClipboard(doc, desktop, std::vector{2, 0, 1}, ClipboardField::Name);
    EXPECT_EQ(desktop.Clipboard, "a\r\nb.c\r\nREADME");
    EXPECT_EQ(desktop.ClipboardWrites, 2);

    // nothing to copy leaves the clipboard alone
    CopyToClipboard(doc, desktop, std::vector<int>{}, ClipboardField::Path);
    EXPECT_EQ(desktop.ClipboardWrites, 2);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FileOperationsTest, AClipboardThatCannotBeUsedIsReported) {
    AddFiles({"a.mp3"});
    desktop.ClipboardFails = true;
    CopyToClipboard(doc, desktop, std::vector{0}, ClipboardField::Name);
    EXPECT_EQ(host.MessageTexts(), Texts{"クリップボードのオープンに失敗しました。"});
    EXPECT_EQ(host.Messages.front().Caption, "error");
}

} // namespace
} // namespace torvane::test
