#include "core/doc/PlaylistWriter.h"
#include "DocFixture.h"

#include <filesystem>

namespace torvane {
namespace {

using PlaylistWriterTest = test::DocTest;

TEST_F(PlaylistWriterTest, OnePathPerLineWithCrLf) {
    AddPaths({"/music/a.mp3", "/music/曲 b.ogg"});
    ASSERT_TRUE(WritePlaylist(doc, dir / "out.m3u", ""));
    EXPECT_EQ(dir.Read("out.m3u"), "/music/a.mp3\r\n/music/曲 b.ogg\r\n");
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 0, 50}));
    EXPECT_EQ(host.ProgressClosed, 1);

    Clear();
    ASSERT_TRUE(WritePlaylist(doc, dir / "out.m3u", ""));
    EXPECT_EQ(dir.Read("out.m3u"), "") << "an empty list gives an empty file";
}

TEST_F(PlaylistWriterTest, RelativeToABase) {
    AddPaths({"/music/a.mp3", "/other/b.mp3", "/music/Rock/c.mp3"});
    ASSERT_TRUE(WritePlaylist(doc, dir / "out.txt", "/music"));
    EXPECT_EQ(dir.Read("out.txt"), "./a.mp3\r\n../other/b.mp3\r\n./Rock/c.mp3\r\n");
}

TEST_F(PlaylistWriterTest, SearchModeWritesTheSearchList) {
    AddPaths({"/music/a.mp3"});
    doc.SetSearchMode(true);
    AddPaths({"/music/s.mp3"});
    ASSERT_TRUE(WritePlaylist(doc, dir / "out.m3u", ""));
    EXPECT_EQ(dir.Read("out.m3u"), "/music/s.mp3\r\n");
}

TEST_F(PlaylistWriterTest, FailedWritesKeepThePreviousFile) {
    AddPaths({"/music/a.mp3"});
    dir.Write("old.m3u", "previous\r\n");
    host.FullDiskFor = {dir / "old.m3u"};
    EXPECT_FALSE(WritePlaylist(doc, dir / "old.m3u", ""));
    EXPECT_EQ(dir.Read("old.m3u"), "previous\r\n");
    EXPECT_FALSE(WritePlaylist(doc, dir / "no/such/folder.m3u", ""));
    ASSERT_EQ(host.Messages.size(), 2u);
    for (const auto& message : host.Messages) {
        EXPECT_EQ(message.Text, "ファイルのオープンに失敗しました");
        EXPECT_EQ(message.Caption, "error");
    }
}

TEST_F(PlaylistWriterTest, SaveListChoosesByExtensionAndStoresTheChoice) {
    AddPaths({"/music/a.mp3"});
    SaveChoice choice{dir / "list.m3u8", true, "/music", "none.htm"};
    ASSERT_TRUE(SaveList(doc, choice));
    EXPECT_EQ(dir.Read("list.m3u8"), "./a.mp3\r\n");
    EXPECT_EQ(doc.Settings().relative, 1);
    EXPECT_EQ(doc.Settings().relative_root, "/music");

    choice = {dir / "list", false, "/elsewhere", ""};
    ASSERT_TRUE(SaveList(doc, choice));
    EXPECT_EQ(dir.Read("list"), "/music/a.mp3\r\n") << "relative off: the base is not used";
    EXPECT_EQ(doc.Settings().relative, 0);
    EXPECT_EQ(doc.Settings().relative_root, "/elsewhere") << "stored whatever was written";

    choice = {dir / "page.HTML", false, "", "no-such-template.htm"};
    EXPECT_FALSE(SaveList(doc, choice));
    ASSERT_FALSE(host.Messages.empty());
    EXPECT_EQ(host.Messages.back().Text, "テンプレートファイルがありません")
        << "an HTML name goes to the template writer";
}

TEST_F(PlaylistWriterTest, InitialBasePathFallsBackToTheCurrentFolder) {
    EXPECT_EQ(InitialBasePath(doc), std::filesystem::current_path().string());
    doc.Settings().relative_root = "/music";
    EXPECT_EQ(InitialBasePath(doc), "/music");
}

} // namespace
} // namespace torvane
