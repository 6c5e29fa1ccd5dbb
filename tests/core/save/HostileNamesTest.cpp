#include "DocFixture.h"
#include "core/gather/FolderScan.h"
#include "core/gather/Gathering.h"
#include "core/gather/ListFileReader.h"
#include "core/save/FolderSaver.h"
#include "core/save/PlaylistWriter.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane {
namespace {

namespace fs = std::filesystem;
using test::Texts;

// File and folder names that the line formats and the shell make hard: line breaks, tabs,
// bytes that are not UTF-8, a leading "-", "#" or blank.
class HostileNamesTest : public test::DocTest {
protected:
    void MakeTree() {
        Touch({"root/new\nline.mp3", "root/tab\there.mp3", "root/\xFF.mp3", "root/-dash.mp3",
               "root/#hash.mp3", "root/ lead.mp3", "root/#dir/x.mp3", "root/-dir/y.mp3",
               "root/nl\ndir/z.mp3"});
    }
    void ScanRoot() { OpenFolder(doc, dir / "root"); }
    // Writes the current list, empties it and reads the file back.
    Texts RoundTrip(const std::string& name) {
        EXPECT_TRUE(WritePlaylistFile(doc, dir / name, {})) << name;
        Clear();
        EXPECT_TRUE(ReadListFile(doc, dir / name, nullptr, 100)) << name;
        return Paths();
    }

    static inline const Texts Scanned{"root/#dir/x.mp3", "root/-dir/y.mp3",    "root/nl\ndir/z.mp3",
                                      "root/\xFF.mp3",   "root/tab\there.mp3", "root/new\nline.mp3",
                                      "root/-dash.mp3",  "root/#hash.mp3",     "root/ lead.mp3"};
};

TEST_F(HostileNamesTest, ScanTakesEveryNameAndXspfKeepsThem) {
    MakeTree();
    ScanRoot();
    EXPECT_EQ(Paths(), Scanned) << "byte order, subfolders first, files reversed";
    EXPECT_EQ(RoundTrip("all.xspf"), Scanned) << "XSPF escapes line breaks and bytes";
}

TEST_F(HostileNamesTest, LineFormatsRefuseLineBreaksAndKeepTheRest) {
    MakeTree();
    ScanRoot();
    for (const char* name : {"broken.m3u", "broken.m3u8", "broken.pls", "broken.txt"}) {
        host.Messages.clear();
        EXPECT_FALSE(WritePlaylistFile(doc, dir / name, {})) << name;
        EXPECT_FALSE(fs::exists(dir / name)) << name;
        ASSERT_EQ(host.Messages.size(), 1u);
        EXPECT_EQ(host.Messages[0].Caption, "error");
        EXPECT_EQ(host.Messages[0].Text, std::string(LineBreakMessage) + "\n\n" + dir.Path() +
                                             "/root/nl\\ndir/z.mp3\n" + dir.Path() +
                                             "/root/new\\nline.mp3");
    }

    Texts rest;
    for (const std::string& path : Scanned)
        if (path.find('\n') == std::string::npos)
            rest.push_back(path);
    for (const char* name : {"rest.m3u", "rest.m3u8", "rest.pls", "rest.txt"}) {
        Clear();
        for (const std::string& path : rest)
            ASSERT_TRUE(doc.AddFile(dir / path, true));
        doc.UpdateItemCount();
        EXPECT_EQ(RoundTrip(name), rest) << name << R"(: tabs, "#", "-", blanks, raw bytes)";
    }
}

TEST_F(HostileNamesTest, PerFolderBareNamesReadBack) {
    Touch({"root/#hash.mp3", "root/ lead.mp3", "root/\tTab.mp3", "root/-dash.mp3",
           "root/new\nline.mp3", "nl\ndir/z.mp3", "ok/o.mp3"});
    ScanRoot();
    OpenFolder(doc, dir / "nl\ndir");
    OpenFolder(doc, dir / "ok");
    EXPECT_FALSE(SaveEachFolder(doc, GroupByFolder(doc.CurrentList()), {}));
    EXPECT_FALSE(fs::exists(dir / "root/root.m3u")) << "a name with a line break keeps it back";
    EXPECT_FALSE(fs::exists(dir / "nl\ndir/nl\ndir.m3u"));
    EXPECT_EQ(dir.Read("ok/ok.m3u"), "o.mp3\r\n") << "the other folders are written";
    ASSERT_FALSE(host.Messages.empty());
    EXPECT_EQ(host.MessageTexts()[0].substr(0, std::string(LineBreakMessage).size()),
              LineBreakMessage);

    fs::remove(dir / "root/new\nline.mp3");
    Clear();
    ScanRoot();
    const Texts scanned = Paths();
    ASSERT_TRUE(SaveEachFolder(doc, GroupByFolder(doc.CurrentList()), {}));
    EXPECT_EQ(dir.Read("root/root.m3u"),
              "-dash.mp3\r\n./#hash.mp3\r\n./ lead.mp3\r\n./\tTab.mp3\r\n");
    Clear();
    ASSERT_TRUE(ReadListFile(doc, dir / "root/root.m3u", nullptr, 100));
    EXPECT_EQ(Paths(), scanned) << R"(a leading "#", blank or tab survives as "./name")";
}

TEST_F(HostileNamesTest, LinkLoopsEndAndAnUnreadableFolderIsSkipped) {
    Touch({"root/open/a.mp3", "root/closed/b.mp3", "root/c.mp3"});
    fs::create_directory_symlink(".", dir / "root/open/again");
    fs::create_symlink("l2.mp3", dir / "root/l1.mp3"); // a loop of two links, dangling
    fs::create_symlink("l1.mp3", dir / "root/l2.mp3");
    fs::create_symlink("me", dir / "root/me");
    ASSERT_EQ(::chmod((dir / "root/closed").c_str(), 0700), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);

    // Root reads every folder: the scan runs as the unprivileged user in a child process.
    const auto scan = [&] {
        ScanRoot();
        std::string out;
        for (const std::string& path : Paths())
            out += path + "\n";
        return out;
    };
    std::string listed;
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod((dir / "root/closed").c_str(), 0), 0);
        listed = scan();
        ::chmod((dir / "root/closed").c_str(), 0700);
    } else {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
            const std::string out = scan();
            const bool sent = ::write(fds[1], out.data(), out.size()) == ssize_t(out.size());
            ::_exit(sent && host.Messages.empty() ? 0 : 4);
        }
        ::close(fds[1]);
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            listed.append(buffer, static_cast<size_t>(n));
        ::close(fds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
            GTEST_SKIP() << "cannot become the unprivileged user here";
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(listed, "root/open/a.mp3\nroot/l2.mp3\nroot/l1.mp3\nroot/c.mp3\n")
        << "the closed folder adds nothing and says nothing; dangling links are kept as files";
    EXPECT_TRUE(host.Messages.empty());
}

// Thirty folders, each linking twice to the next: scanned in full every time, the last one
// would be scanned 2^30 times. A folder reached twice is scanned twice, but folders scanned
// again stop at 100,000 entries in all.
TEST_F(HostileNamesTest, FoldersLinkedOverAndOverStopWithAMessage) {
    Touch({"d30/a.mp3"});
    for (int i = 0; i < 2000; ++i)
        dir.Write("d30/filler" + std::to_string(i) + ".dat", "");
    for (int i = 0; i < 30; ++i) {
        const std::string next = dir / ("d" + std::to_string(i + 1));
        fs::create_directories(dir / ("d" + std::to_string(i)));
        fs::create_directory_symlink(next, dir / ("d" + std::to_string(i) + "/x"));
        fs::create_directory_symlink(next, dir / ("d" + std::to_string(i) + "/y"));
    }
    OpenFolder(doc, dir / "d0");
    EXPECT_GT(doc.CurrentList().size(), 2u);
    EXPECT_LT(doc.CurrentList().size(), 100u);
    EXPECT_EQ(host.MessageTexts(), (Texts{NestedFoldersMessage})) << "said once";

    Clear();
    host.Messages.clear();
    OpenFolder(doc, dir / "d29");
    EXPECT_EQ(Paths(), (Texts{"d29/x/a.mp3", "d29/y/a.mp3"})) << "reached twice, scanned twice";
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(HostileNamesTest, FiftyThousandFilesInOneFolder) {
    fs::create_directories(dir / "big");
    char name[32];
    for (int i = 0; i < 50'000; ++i) {
        std::snprintf(name, sizeof name, "/big/f%05d.%s", i, i % 1000 == 7 ? "doc" : "mp3");
        ::close(::open((dir.Path() + name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    OpenFolder(doc, dir / "big");
    const Texts paths = Paths();
    ASSERT_EQ(paths.size(), 50'000u - 50u) << "the .doc files are not taken";
    EXPECT_EQ(paths.front(), "big/f49999.mp3");
    EXPECT_EQ(paths[49'999 - 25'000 - 25], "big/f25000.mp3");
    EXPECT_EQ(paths.back(), "big/f00000.mp3");
    EXPECT_EQ(view.Count, 49'950);
}

} // namespace
} // namespace torvane
