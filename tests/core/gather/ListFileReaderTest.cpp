#include "core/gather/ListFileReader.h"
#include "DocFixture.h"

#include <climits>

namespace torvane {
namespace {

using test::Texts;

class ListFileReaderTest : public test::DocTest {
protected:
    bool Read(const std::string& name) { return ReadListFile(doc, dir / name, nullptr, 100); }
};

TEST_F(ListFileReaderTest, ExtendedM3uCommentsAndBlanks) {
    Touch({"music/a.mp3", "music/b b.ogg", "music/sub/c.wav"});
    dir.Write("music/list.m3u", "#EXTM3U\r\n"
                                "#EXTINF:123,Artist - Title\r\n"
                                "a.mp3\r\n"
                                "\r\n"
                                "  \t# a comment after blanks\r\n"
                                " \t \"b b.ogg\"  \r\n"
                                "\t" +
                                    dir / "music/sub/c.wav" + "\n" + "sub/missing.mp3\n" +
                                    "missing.mp3\n" + "notes.doc");
    EXPECT_TRUE(Read("music/list.m3u"));
    EXPECT_EQ(Paths(),
              (Texts{"music/a.mp3", "music/b b.ogg", "music/sub/c.wav", "sub/missing.mp3"}))
        << "relative entries from the list's folder; a missing one with a folder part is kept "
           "as written, a bare missing name is refused";
    EXPECT_EQ(view.CountHistory, std::vector<int>{}) << "the caller tells the view";
}

TEST_F(ListFileReaderTest, LineLengthLimit) {
    const std::string folder = dir.Path() + "/";
    // Lines of exactly PATH_MAX bytes are read, longer ones skipped, trimming or not.
    const std::string fits = folder + std::string(PATH_MAX - folder.size() - 4, 'f') + ".mp3";
    const std::string tooLong = " " + fits;
    dir.Write("l.txt", fits + "\n" + tooLong + "\n");
    ASSERT_TRUE(Read("l.txt"));
    ASSERT_EQ(doc.CurrentList().size(), 1u);
    EXPECT_EQ(doc.CurrentList()[0]->FilePath(), fits);
}

TEST_F(ListFileReaderTest, EncodingsAndByteOrderMark) {
    Touch({"曲.mp3"});
    dir.Write("bom.m3u", "\xEF\xBB\xBF"
                         "曲.mp3\n");
    dir.Write("cp932.m3u", "\x8B\xC8.mp3\n"); // 曲 written on a Japanese system
    dir.Write("utf8.m3u8", "\xEF\xBB\xBF"
                           "曲.mp3\n");
    ASSERT_TRUE(Read("bom.m3u"));
    ASSERT_TRUE(Read("cp932.m3u"));
    ASSERT_TRUE(Read("utf8.m3u8"));
    EXPECT_EQ(Paths(), (Texts{"曲.mp3", "曲.mp3", "曲.mp3"}));

    Clear();
    dir.Write("raw.m3u8", "sub/\x8B\xC8.mp3\n");
    ASSERT_TRUE(Read("raw.m3u8"));
    EXPECT_EQ(Paths(), (Texts{"sub/\x8B\xC8.mp3"})) << ".m3u8 is UTF-8 by definition";
}

TEST_F(ListFileReaderTest, NestedListsAndListsNamingThemselves) {
    Touch({"a.mp3", "b.mp3", "c.mp3"});
    dir.Write("self.m3u", "a.mp3\nself.m3u\nb.mp3\n");
    ASSERT_TRUE(Read("self.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3"}));

    Clear();
    dir.Write("one.m3u", "a.mp3\nsub/two.txt\n");
    dir.Write("sub/two.txt", "../c.mp3\n../one.m3u\n../b.mp3\n");
    ASSERT_TRUE(Read("one.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "c.mp3", "b.mp3"}))
        << "the inner list's entries from its own folder, \"..\" taken as written; the outer "
           "one is not read again";
    EXPECT_EQ(doc.FileHistory().Entries(), (Texts{dir / "one.m3u", dir / "self.m3u"}))
        << "only the list that was opened enters the history";

    Clear();
    dir.Write("twice.m3u", "sub/three.m3u\nsub/three.m3u\n");
    dir.Write("sub/three.m3u", "../a.mp3\n");
    ASSERT_TRUE(Read("twice.m3u"));
    EXPECT_EQ(doc.CurrentList().size(), 2u) << "a list named twice, not in a loop, reads twice";
}

TEST_F(ListFileReaderTest, UnreadableListLeavesNoTrace) {
    EXPECT_FALSE(Read("missing.m3u"));
    EXPECT_FALSE(Read(""));
    EXPECT_TRUE(doc.FileHistory().Entries().empty());
    EXPECT_EQ(host.ProgressOpened, 0);
}

TEST_F(ListFileReaderTest, OwnProgressWindowAndCancel) {
    Touch({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
    dir.Write("l.m3u", "a.mp3\nb.mp3\nc.mp3\nd.mp3\n"); // four lines of six bytes
    ASSERT_TRUE(Read("l.m3u"));
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(host.ProgressClosed, 1);

    Clear();
    host.CancelAfter = 4; // the fourth event: the question before the second line
    ASSERT_TRUE(Read("l.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3"}));
}

TEST_F(ListFileReaderTest, ContinuesTheCallersBarOverItsSpan) {
    Touch({"a.mp3", "b.mp3"});
    dir.Write("l.m3u", "a.mp3\nb.mp3\n");
    test::CFakeProgress progress(0, &host.ProgressPositions, nullptr);
    progress.SetPos(50);
    ASSERT_TRUE(ReadListFile(doc, dir / "l.m3u", &progress, 25));
    EXPECT_EQ(host.ProgressPositions, (std::vector<int>{50, 62, 75}));
    EXPECT_EQ(host.ProgressOpened, 0);
}

} // namespace
} // namespace torvane
