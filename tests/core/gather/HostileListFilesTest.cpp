#include "DocFixture.h"
#include "core/gather/Gathering.h"
#include "core/gather/ListFileReader.h"

#include "core/base/Progress.h"

#include <filesystem>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

using test::Texts;

// List files nobody would write on purpose: each reads to a quiet, predictable list.
class HostileListFilesTest : public test::DocTest {
protected:
    bool Read(const std::string& name) { return ReadListFile(doc, dir / name, nullptr, 100); }
};

TEST_F(HostileListFilesTest, BinaryGarbageAroundRealEntries) {
    Touch({"a.mp3", "b.ogg"});
    std::mt19937 random(15);
    std::string garbage;
    for (int i = 0; i < 256 * 1024; ++i)
        garbage += static_cast<char>(random() & 0xFF);
    dir.Write("junk.m3u", garbage + "\n" + dir / "a.mp3" + "\n" + garbage + "\nb.ogg\n" + garbage);
    ASSERT_TRUE(Read("junk.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.ogg"}))
        << "the entries between the garbage are found, the garbage adds nothing";

    Clear();
    dir.Write("junk.txt", garbage);
    EXPECT_TRUE(Read("junk.txt"));
    EXPECT_TRUE(doc.CurrentList().empty());
}

TEST_F(HostileListFilesTest, AMillionLines) {
    std::string text;
    const std::string folder = dir.Path() + "/";
    for (int i = 0; i < 1'000'000; ++i) {
        if (i % 100 == 0)
            text += folder + std::to_string(i) + ".mp3\r\n";
        else
            text += i % 2 ? "#EXTINF:1,x\r\n" : "\r\n";
    }
    dir.Write("big.m3u", text);
    ASSERT_TRUE(Read("big.m3u"));
    ASSERT_EQ(doc.CurrentList().size(), 10'000u);
    EXPECT_EQ(doc.CurrentList().front()->FileName(), "0");
    EXPECT_EQ(doc.CurrentList().back()->FileName(), "999900");
}

TEST_F(HostileListFilesTest, HugeLinesNulBytesAndLoneCarriageReturns) {
    Touch({"a.mp3", "b.mp3", "c.mp3"});
    const std::string huge(100'000, 'x');
    dir.Write("long.m3u", huge + ".mp3\na.mp3\n/" + huge + "/b.mp3\nb.mp3\n" + huge);
    ASSERT_TRUE(Read("long.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3"})) << "lines over PATH_MAX are skipped";

    Clear();
    constexpr char nul[] = "a.mp3\0/etc/b.mp3\nb\0.mp3\n\0\nc.mp3\n";
    dir.Write("nul.m3u", std::string(nul, sizeof nul - 1));
    ASSERT_TRUE(Read("nul.m3u"));
    EXPECT_EQ(Paths(), (Texts{"c.mp3"})) << "a line holding a NUL byte names no file";

    Clear();
    dir.Write("mac.m3u", "#EXTM3U\ra.mp3\r\"b.mp3\"\r\rc.mp3");
    ASSERT_TRUE(Read("mac.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3", "c.mp3"})) << "lines ended by CR alone";
}

TEST_F(HostileListFilesTest, NamesThatAreNotUtf8ReadBackAsWritten) {
    Touch({"\xFF\xFE.mp3", "曲.mp3", "sub/\x8B\xC8.mp3"});
    // A list of Linux names: one of them is not UTF-8, so the file is not UTF-8 either.
    dir.Write("raw.m3u", "\xFF\xFE.mp3\n曲.mp3\n" + dir / "sub/\x8B\xC8.mp3\n");
    ASSERT_TRUE(Read("raw.m3u"));
    EXPECT_EQ(Paths(), (Texts{"\xFF\xFE.mp3", "曲.mp3", "sub/\x8B\xC8.mp3"}))
        << "existing names are taken byte for byte, the UTF-8 ones too";

    Clear();
    dir.Write("cp932.m3u", "\xFF\xFE.mp3\n\x8B\xC8.mp3\n");
    ASSERT_TRUE(Read("cp932.m3u"));
    EXPECT_EQ(Paths(), (Texts{"\xFF\xFE.mp3", "曲.mp3"}))
        << "a line naming no file as written is still decoded from the legacy code page";
}

TEST_F(HostileListFilesTest, ListsReachingThemselvesByOtherNames) {
    Touch({"a.mp3", "b.mp3"});
    std::filesystem::create_symlink(dir / "one.m3u", dir / "link.m3u");
    dir.Write("one.m3u", "a.mp3\nlink.m3u\n./sub/../two.txt\n");
    dir.Write("two.txt", "b.mp3\n" + dir / "one.m3u\n./two.txt\n");
    ASSERT_TRUE(Read("one.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3"}))
        << "through a link, a path of its own and \"..\", a list on the chain is not read again";
}

// Forty lists, each naming the next twice: read in full every time, the last one would be read
// 2^39 times. A list named twice is read twice, but lists read again stop at 16 MB in all.
TEST_F(HostileListFilesTest, ListsNamingOneAnotherOverAndOverStopWithAMessage) {
    Touch({"a.mp3"});
    const std::string padding = "#" + std::string(64 * 1024, 'x') + "\n";
    for (int i = 0; i < 40; ++i) {
        const std::string next = i == 39 ? "a.mp3" : "l" + std::to_string(i + 1) + ".m3u";
        dir.Write("l" + std::to_string(i) + ".m3u", padding + next + "\n" + next + "\n");
    }
    ASSERT_TRUE(Read("l0.m3u"));
    const size_t added = doc.CurrentList().size();
    EXPECT_GT(added, 2u);
    EXPECT_LT(added, 1000u);
    EXPECT_EQ(host.MessageTexts(), (Texts{NestedListsMessage})) << "said once";

    Clear();
    host.Messages.clear();
    dir.Write("album.m3u", "a.mp3\n");
    dir.Write("twice.m3u", "album.m3u\nalbum.m3u\n");
    ASSERT_TRUE(Read("twice.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "a.mp3"}));
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(HostileListFilesTest, PipesAndFoldersNamedLikeListsDoNotHang) {
    Touch({"a.mp3"});
    ASSERT_EQ(::mkfifo((dir / "pipe.m3u").c_str(), 0644), 0);
    std::filesystem::create_directory(dir / "folder.m3u");
    EXPECT_FALSE(Read("pipe.m3u")) << "no writer will ever come: not read";
    EXPECT_FALSE(Read("folder.m3u"));
    dir.Write("list.m3u", "pipe.m3u\na.mp3\n");
    ASSERT_TRUE(Read("list.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3"}));
    LoadCommandLine(doc, {dir / "pipe.m3u"});
    EXPECT_EQ(doc.CurrentList().size(), 1u);
}

// Twenty thousand lists, each naming the next: read one inside the other on the machine stack,
// they would overflow it. PLS lists take turns with text lists, and the last names the first.
TEST_F(HostileListFilesTest, AChainOfTwentyThousandLists) {
    constexpr int Lists = 20'000;
    const auto name = [](int i) { return "l" + std::to_string(i) + (i % 2 ? ".pls" : ".m3u"); };
    for (int i = 0; i < Lists; ++i) {
        const std::string entry = "/m/" + std::to_string(i) + ".mp3";
        const std::string next = name((i + 1) % Lists);
        dir.Write(name(i), i % 2 ? "[playlist]\nFile1=" + entry + "\nFile2=" + next + "\n"
                                 : entry + "\n" + next + "\n");
    }
    ASSERT_TRUE(Read(name(0)));
    ASSERT_EQ(doc.CurrentList().size(), size_t{Lists});
    EXPECT_EQ(doc.CurrentList().front()->FilePath(), "/m/0.mp3");
    EXPECT_EQ(doc.CurrentList().back()->FilePath(), "/m/19999.mp3");
    EXPECT_TRUE(host.Messages.empty()) << "the last naming the first is a list on the chain";
    EXPECT_EQ(doc.FileHistory().Entries(), (Texts{dir / name(0)}));
}

// Sparse files: twenty gigabytes that cost no disk.
TEST_F(HostileListFilesTest, AListTooLargeIsRefusedWithAMessage) {
    Touch({"a.mp3", "b.mp3"});
    const std::string huge = dir.Write("huge.m3u", "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t{20} << 30), 0);
    EXPECT_FALSE(Read("huge.m3u"));
    EXPECT_TRUE(doc.CurrentList().empty());
    EXPECT_TRUE(doc.FileHistory().Entries().empty());
    EXPECT_EQ(host.MessageTexts(), (Texts{ListTooLargeMessage}));

    host.Messages.clear();
    dir.Write("outer.m3u", "a.mp3\nhuge.m3u\nhuge.m3u\nb.mp3\n");
    ASSERT_TRUE(Read("outer.m3u"));
    EXPECT_EQ(Paths(), (Texts{"a.mp3", "b.mp3"})) << "the rest of the list is read";
    EXPECT_EQ(host.MessageTexts(), (Texts{ListTooLargeMessage})) << "said once";
}

// A progress window whose questions run out of memory at the n-th: a lack of memory at any
// point of an operation, without a seam in the program.
class CRunningOutProgress final : public CProgress {
public:
    explicit CRunningOutProgress(int& questionsLeft) : m_Left(questionsLeft) {}

protected:
    void PumpEvents(bool) override {
        if (m_Left > 0 && --m_Left == 0)
            throw std::bad_alloc();
    }

private:
    int& m_Left;
};

class CRunningOutHost final : public CUiHost {
public:
    MessageAnswer ShowMessage(MessageKind, const CMessage& message, MessageButtons) override {
        Messages.push_back(JapaneseText(message));
        return MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<CProgress> OpenProgress() override {
        return std::make_unique<CRunningOutProgress>(QuestionsLeft);
    }

    int QuestionsLeft = 0; // 0: memory never runs out
    Texts Messages;
};

class OutOfMemoryTest : public ::testing::Test {
protected:
    OutOfMemoryTest() {
        doc.SetView(&view);
        doc.Settings().readtag = 0;
    }
    // Writes a list of count entries and answers its path.
    std::string List(const std::string& name, int count) const {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "/m/" + name + std::to_string(i) + ".mp3\n";
        return dir.Write(name + ".m3u", text);
    }

    test::CTempDir dir;
    CProfile profile{dir / "torvane.ini"};
    CRunningOutHost host;
    test::CFakeView view;
    CTorvaneDoc doc{profile, host};
};

TEST_F(OutOfMemoryTest, AReadingStopsAndTakesBackWhatItAdded) {
    ASSERT_TRUE(doc.AddFile("/m/kept.mp3", true));
    const std::string list = List("l", 10);
    host.QuestionsLeft = 12;
    EXPECT_TRUE(ReadListFile(doc, list, nullptr, 100));
    ASSERT_EQ(doc.CurrentList().size(), 1u) << "the list as it was";
    EXPECT_EQ(doc.CurrentList()[0]->FilePath(), "/m/kept.mp3");
    EXPECT_EQ(view.Count, 1);
    EXPECT_EQ(host.Messages, (Texts{OutOfMemoryMessage}));

    host.Messages.clear();
    host.QuestionsLeft = 0;
    EXPECT_TRUE(ReadListFile(doc, list, nullptr, 100)) << "the next operation runs as usual";
    EXPECT_EQ(doc.CurrentList().size(), 11u);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(OutOfMemoryTest, ARouteStopsAsAWholeWithOneMessage) {
    const std::string inner = List("inner", 5);
    const std::string outer = dir.Write("outer.m3u", "/m/first.mp3\n" + inner + "\n");
    host.QuestionsLeft = 9;
    OpenFiles(doc, {"/m/a.mp3", outer, "/m/b.mp3"});
    EXPECT_TRUE(doc.CurrentList().empty()) << "the file added before the list goes too";
    EXPECT_EQ(view.Count, 0);
    EXPECT_EQ(host.Messages, (Texts{OutOfMemoryMessage}));

    host.Messages.clear();
    host.QuestionsLeft = 0;
    OpenFiles(doc, {"/m/a.mp3", outer, "/m/b.mp3"});
    EXPECT_EQ(doc.CurrentList().size(), 8u);
    EXPECT_TRUE(host.Messages.empty());
}

} // namespace
} // namespace torvane
