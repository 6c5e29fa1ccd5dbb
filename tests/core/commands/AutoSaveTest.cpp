#include "core/commands/AutoSave.h"
#include "DocFixture.h"
#include "core/gather/Gathering.h"
#include "core/gather/ListFileReader.h"

#include <filesystem>
#include <unistd.h>

namespace torvane {
namespace {

using test::Texts;

class AutoSaveTest : public test::DocTest {
protected:
    std::string SavedList() const { return dir / "Torvane.m3u"; }

    // Unticks ext in the extension dialog.
    void SwitchOff(const std::string& ext) {
        std::vector<ExtDialogRow> rows;
        for (const auto& [name, entry] : doc.Extensions().Entries())
            rows.push_back({name, entry.App, name == ext ? 0 : entry.Enabled});
        doc.Extensions().ApplyExtensionDialog(rows);
    }
};

TEST_F(AutoSaveTest, BesideTheProfile) {
    EXPECT_EQ(AutoSavePath(doc), SavedList());
}

TEST_F(AutoSaveTest, SavesTheAllListOnlyWhenSwitchedOn) {
    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_FALSE(AutoSaveListExists(doc)) << "CloseSave off: nothing";

    doc.Settings().CloseSave = true;
    doc.SetSearchMode(true);
    ASSERT_TRUE(doc.AddFile("/m/found.mp3", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(doc.SearchMode(), false) << "search mode is left first";
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/a.mp3\r\n");
}

TEST_F(AutoSaveTest, AnEmptyListDeletesTheFile) {
    doc.Settings().CloseSave = true;
    dir.Write("Torvane.m3u", "/m/old.mp3\r\n");
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_FALSE(AutoSaveListExists(doc));
    EXPECT_TRUE(AutoSaveList(doc)) << "no file to delete is no error";
}

// A kept list kept elsewhere behind a link (a dotfile manager's): emptying the list deletes the
// file it names and keeps the link, and the next save writes there again.
TEST_F(AutoSaveTest, AKeptListBehindALinkKeepsItsLink) {
    doc.Settings().CloseSave = true;
    const std::string stored = dir.Write("store/kept.m3u", "/m/old.mp3\r\n");
    ASSERT_EQ(::symlink(stored.c_str(), SavedList().c_str()), 0);
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_FALSE(std::filesystem::exists(stored));
    EXPECT_TRUE(std::filesystem::is_symlink(SavedList()));

    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_TRUE(std::filesystem::is_symlink(SavedList()));
    EXPECT_EQ(dir.Read("store/kept.m3u"), "/m/a.mp3\r\n");
}

TEST_F(AutoSaveTest, AFailedSaveKeepsTheLastList) {
    doc.Settings().CloseSave = true;
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

    doc.Settings().CloseSave = true;
    doc.SetSearchMode(true);
    AutoLoadList(doc);
    EXPECT_EQ(doc.SearchMode(), false);
    EXPECT_EQ(Paths(), (Texts{"a.mp3"}));
    EXPECT_EQ(view.Count, 1);
    EXPECT_EQ(doc.FileHistory().Entries(), (Texts{SavedList()}));

    AutoLoadList(doc);
    EXPECT_EQ(doc.AllList().size(), 1u) << "a list filled by the command line is kept alone";

    OpenAutoSaveList(doc);
    EXPECT_EQ(doc.AllList().size(), 2u) << "the menu item reads it whatever the setting";
}

// A kept list of a thousand entries whose loading was cancelled part way holds only some of
// them: leaving would write the shorter list over the file.
TEST_F(AutoSaveTest, AListLoadedInPartIsNotWrittenOverUnasked) {
    doc.Settings().CloseSave = true;
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "/m/" + std::to_string(i) + ".mp3\r\n";
    dir.Write("Torvane.m3u", text);
    host.CancelAfter = 100;
    AutoLoadList(doc);
    ASSERT_GT(doc.AllList().size(), 0u);
    ASSERT_LT(doc.AllList().size(), 1000u);
    EXPECT_TRUE(doc.KeptList().Incomplete);
    ASSERT_TRUE(InputItem(doc, "/m/new.mp3", false));

    EXPECT_TRUE(AutoSaveList(doc, false));
    EXPECT_EQ(dir.Read("Torvane.m3u"), text) << "an exit that asks nothing leaves the file";
    EXPECT_TRUE(host.Messages.empty());

    host.Answer = MessageAnswer::No;
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), text);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, KeptListIncompleteQuestion);
    EXPECT_EQ(host.Messages[0].Buttons, MessageButtons::YesNo);

    host.Answer = MessageAnswer::Yes;
    EXPECT_TRUE(AutoSaveList(doc));
    const std::string written = dir.Read("Torvane.m3u");
    EXPECT_TRUE(written.starts_with("/m/0.mp3\r\n"));
    EXPECT_TRUE(written.ends_with("/m/new.mp3\r\n")) << "yes writes the list as it is";
}

// Twenty gigabytes of a sparse file: refused with a message, and not replaced unasked.
TEST_F(AutoSaveTest, AListTooLargeToLoadIsNotWrittenOverUnasked) {
    doc.Settings().CloseSave = true;
    const std::string path = dir.Write("Torvane.m3u", "");
    ASSERT_EQ(::truncate(path.c_str(), off_t{20} << 30), 0);
    AutoLoadList(doc);
    EXPECT_TRUE(doc.AllList().empty());
    EXPECT_TRUE(doc.KeptList().Incomplete);
    EXPECT_EQ(host.MessageTexts(), (Texts{ListTooLargeMessage}));
    ASSERT_TRUE(InputItem(doc, "/m/new.mp3", false));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(std::filesystem::file_size(path), uintmax_t{20} << 30);
}

TEST_F(AutoSaveTest, AListLoadedWholeIsWrittenWithoutAQuestion) {
    doc.Settings().CloseSave = true;
    dir.Write("Torvane.m3u", "/m/a.mp3\r\n");
    AutoLoadList(doc);
    EXPECT_FALSE(doc.KeptList().Incomplete);
    ASSERT_TRUE(InputItem(doc, "/m/b.mp3", false));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/a.mp3\r\n/m/b.mp3\r\n");
    EXPECT_TRUE(host.Messages.empty());
}

// Unticking flac for a while must not lose every FLAC entry of the kept list at the next exit.
TEST_F(AutoSaveTest, EntriesOfASwitchedOffExtensionAreKept) {
    doc.Settings().CloseSave = true;
    SwitchOff("flac");
    dir.Write("Torvane.m3u", "/m/a.mp3\r\n/m/b.flac\r\n/m/c.mp3\r\n/m/d.aac\r\n/m/e.FLAC\r\n");
    AutoLoadList(doc);
    EXPECT_EQ(Paths(), (Texts{"/m/a.mp3", "/m/c.mp3"}));
    EXPECT_FALSE(doc.KeptList().Incomplete) << "entries refused are not a reading cut short";

    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/a.mp3\r\n/m/c.mp3\r\n/m/b.flac\r\n/m/e.FLAC\r\n")
        << "written after the list; an extension nobody registered goes as before";
    EXPECT_EQ(doc.AllList().size(), 2u) << "the list itself is as it was";

    ASSERT_TRUE(InputItem(doc, "/m/b.flac", true));
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/a.mp3\r\n/m/c.mp3\r\n/m/b.flac\r\n/m/e.FLAC\r\n")
        << "an entry the user added again is written once, where the list has it";

    Clear();
    EXPECT_TRUE(AutoSaveList(doc));
    EXPECT_EQ(dir.Read("Torvane.m3u"), "/m/b.flac\r\n/m/e.FLAC\r\n")
        << "entries never shown are not cleared with the list";
}

} // namespace
} // namespace torvane
