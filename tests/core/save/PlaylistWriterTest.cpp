#include "core/save/PlaylistWriter.h"
#include "DocFixture.h"
#include "MpegFill.h"
#include "core/base/TextCodec.h"

#include <filesystem>

namespace torvane {
namespace {

class PlaylistWriterTest : public test::DocTest {
protected:
    // Gives the record at index the standard tags and playing time a reader would have found.
    void Tag(size_t index, const std::string& title, const std::string& artist, int seconds) {
        AudioInfo info;
        info.Std.Title = title;
        info.Std.Artist = artist;
        info.Std.Album = "Album";
        info.Std.TrackNum = "2";
        info.PlayTime = seconds;
        info.TagFlags = AudioInfo::TagId3v1;
        test::FillAsMpeg(*doc.CurrentList()[index], info);
    }
    bool Write(const std::string& name) { return WritePlaylistFile(doc, dir / name, ""); }
};

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

// A file that cannot be opened is reported before the list is gone through: the progress
// never moves past its start, and is closed before the message.
TEST_F(PlaylistWriterTest, AFileThatCannotBeOpenedIsReportedAtOnce) {
    std::vector<std::string> paths;
    paths.reserve(200);
    for (int i = 0; i < 200; ++i)
        paths.push_back("/music/" + std::to_string(i) + ".mp3");
    AddPaths(paths);
    for (const std::string& target : {dir / "no/such/folder.m3u8", dir / "no/such/list.pls"}) {
        host.ProgressPositions.clear();
        host.ProgressClosed = 0;
        host.Messages.clear();
        SaveChoice choice{target, false, "", "none.htm"};
        EXPECT_FALSE(SaveList(doc, choice)) << target;
        EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0})) << target;
        EXPECT_GE(host.ProgressClosed, 1) << target;
        EXPECT_EQ(host.MessageTexts(),
                  (std::vector<std::string>{"ファイルのオープンに失敗しました"}));
    }
}

TEST_F(PlaylistWriterTest, SaveListChoosesByExtensionAndStoresTheChoice) {
    AddPaths({"/music/a.mp3"});
    SaveChoice choice{dir / "list.m3u", true, "/music", "none.htm"};
    ASSERT_TRUE(SaveList(doc, choice));
    EXPECT_EQ(dir.Read("list.m3u"), "./a.mp3\r\n");
    EXPECT_EQ(doc.Settings().relative, true);
    EXPECT_EQ(doc.Settings().relative_root, "/music");

    choice = {dir / "list", false, "/elsewhere", ""};
    ASSERT_TRUE(SaveList(doc, choice));
    EXPECT_EQ(dir.Read("list"), "/music/a.mp3\r\n") << "relative off: the base is not used";
    EXPECT_EQ(doc.Settings().relative, false);
    EXPECT_EQ(doc.Settings().relative_root, "/elsewhere") << "stored whatever was written";

    choice = {dir / "page.HTML", false, "", "no-such-template.htm"};
    EXPECT_FALSE(SaveList(doc, choice));
    ASSERT_FALSE(host.Messages.empty());
    EXPECT_EQ(host.Messages.back().Text, "テンプレートファイルがありません")
        << "an HTML name goes to the template writer";
}

TEST_F(PlaylistWriterTest, ExtendedM3uTitlesAndTimes) {
    AddPaths({"/m/a.mp3", "/m/b.mp3", "/m/曲.mp3"});
    Tag(0, "Song", "Band", 200);
    Tag(1, "Solo", "", 0);
    const std::string extended = "#EXTM3U\r\n"
                                 "#EXTINF:200,Band - Song\r\n/m/a.mp3\r\n"
                                 "#EXTINF:-1,Solo\r\n/m/b.mp3\r\n"
                                 "#EXTINF:-1,曲\r\n/m/曲.mp3\r\n";
    const std::string plain = "/m/a.mp3\r\n/m/b.mp3\r\n/m/曲.mp3\r\n";
    ASSERT_TRUE(Write("a.M3U8"));
    EXPECT_EQ(dir.Read("a.M3U8"), extended);
    ASSERT_TRUE(Write("a.m3u"));
    EXPECT_EQ(dir.Read("a.m3u"), plain) << ".m3u stays bare paths by default";

    doc.Settings().ExtendedM3U = true;
    ASSERT_TRUE(Write("b.m3u"));
    EXPECT_EQ(dir.Read("b.m3u"), extended);
    ASSERT_TRUE(Write("b.txt"));
    EXPECT_EQ(dir.Read("b.txt"), plain) << "a text list is never extended";
    ASSERT_TRUE(WritePlaylist(doc, dir / "Torvane.m3u", ""));
    EXPECT_EQ(dir.Read("Torvane.m3u"), plain) << "the list saved on exit stays plain";
}

TEST_F(PlaylistWriterTest, PlsVersion2) {
    AddPaths({"/m/a.mp3", "/m/b.ogg"});
    Tag(0, "Song", "Band", 75);
    ASSERT_TRUE(WritePlaylistFile(doc, dir / "a.pls", "/m"));
    EXPECT_EQ(dir.Read("a.pls"), "[playlist]\r\n"
                                 "File1=./a.mp3\r\nTitle1=Band - Song\r\nLength1=75\r\n"
                                 "File2=./b.ogg\r\nTitle2=b\r\nLength2=-1\r\n"
                                 "NumberOfEntries=2\r\nVersion=2\r\n");
    Clear();
    ASSERT_TRUE(Write("empty.pls"));
    EXPECT_EQ(dir.Read("empty.pls"), "[playlist]\r\nNumberOfEntries=0\r\nVersion=2\r\n");
}

TEST_F(PlaylistWriterTest, XspfTakesTheDisplayedTagSet) {
    AddPaths({"/m/a.mp3"});
    AudioInfo info;
    info.Std.Title = "Standard";
    info.Ext.Title = "Extended";
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    test::FillAsMpeg(*doc.CurrentList()[0], info);
    doc.Settings().TagOf = TagMode::Extended;
    ASSERT_TRUE(Write("a.xspf"));
    EXPECT_NE(dir.Read("a.xspf").find("<title>Extended</title>"), std::string::npos)
        << dir.Read("a.xspf");
}

TEST_F(PlaylistWriterTest, LegacyEncodingNeverReplacesAName) {
    AddPaths({"/m/曲①.mp3"});
    doc.Settings().PlaylistCodePage = "CP932";
    ASSERT_TRUE(Write("cp.m3u"));
    EXPECT_EQ(dir.Read("cp.m3u"), "/m/\x8B\xC8\x87\x40.mp3\r\n");
    ASSERT_TRUE(Write("cp.m3u8"));
    EXPECT_EQ(dir.Read("cp.m3u8"), "#EXTM3U\r\n#EXTINF:-1,曲①\r\n/m/曲①.mp3\r\n")
        << ".m3u8 is UTF-8 whatever the setting";

    AddPaths({"/m/ok.mp3", "/m/한국.mp3", "/m/🎵.mp3"});
    dir.Write("cp.txt", "previous\r\n");
    EXPECT_FALSE(Write("cp.txt"));
    EXPECT_EQ(dir.Read("cp.txt"), "previous\r\n") << "nothing is written";
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Caption, "error");
    EXPECT_EQ(host.Messages[0].Text,
              "次の名前は文字コード CP932 で書き出せないため、保存しませんでした。\n"
              "\n/m/한국.mp3\n/m/🎵.mp3");

    doc.Settings().ExtendedM3U = true;
    test::FillAsMpeg(*doc.CurrentList()[0], [] {
        AudioInfo info;
        info.Std.Title = "🎵";
        info.TagFlags = AudioInfo::TagId3v1;
        return info;
    }());
    EXPECT_FALSE(Write("cp.m3u"));
    EXPECT_NE(host.Messages.back().Text.find("\n🎵\n"), std::string::npos)
        << "a title that cannot be written is named too: " << host.Messages.back().Text;

    ASSERT_TRUE(WritePlaylist(doc, dir / "Torvane.m3u", ""));
    EXPECT_EQ(dir.Read("Torvane.m3u").substr(0, 13), "/m/曲①.mp3")
        << "the list saved on exit is always UTF-8, so it always reads back";

    doc.Settings().PlaylistCodePage = "NO-SUCH-CODE";
    EXPECT_FALSE(Write("cp.txt"));
    EXPECT_EQ(host.Messages.back().Text, "文字コード NO-SUCH-CODE には変換できません。");
}

// The list is encoded as it is written, record by record: the byte-order mark and shift states
// of the encoding still come as for the whole text, once.
TEST_F(PlaylistWriterTest, AnEncodingWithStateIsWrittenAsOneText) {
    AddPaths({"/m/a.mp3", "/m/曲.mp3", "/m/日本 c.mp3"});
    const std::string text = "/m/a.mp3\r\n/m/曲.mp3\r\n/m/日本 c.mp3\r\n";
    for (const std::string encoding : {"UTF-16", "ISO-2022-JP"}) {
        doc.Settings().PlaylistCodePage = encoding;
        ASSERT_TRUE(Write("list.m3u")) << encoding;
        std::string expected;
        ASSERT_TRUE(CTextCodec::ToEncoding(text, encoding, expected));
        EXPECT_EQ(dir.Read("list.m3u"), expected) << encoding;
    }
}

TEST_F(PlaylistWriterTest, InitialBasePathFallsBackToTheCurrentFolder) {
    EXPECT_EQ(InitialBasePath(doc), std::filesystem::current_path().string());
    doc.Settings().relative_root = "/music";
    EXPECT_EQ(InitialBasePath(doc), "/music");
}

} // namespace
} // namespace torvane
