#include "core/base/AtomicFile.h"
#include "Fakes.h"
#include "ScratchDisk.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane {
namespace {

using Texts = std::vector<std::string>;

// What the writer does with the file a path names: links, files it may not write, devices,
// pipes, a write killed halfway and the temporary files such writes leave.
class AtomicFileTest : public ::testing::Test {
protected:
    ~AtomicFileTest() override {
        atomic_file_testing::HalfWritten = nullptr;
        atomic_file_testing::NamedTemporaryOnly = false;
        atomic_file_testing::UnnamedCannotBeNamed = false;
    }

    bool Write(const std::string& name, const std::string& content) {
        error.clear();
        return WriteFileAtomically(dir / name, content, error);
    }
    // The names in a folder of the scratch folder, sorted.
    Texts Names(const std::string& folder = "") const {
        Texts names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    bool IsLink(const std::string& name) const {
        struct stat st {};
        return ::lstat((dir / name).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
    }
    mode_t Type(const std::string& path) const {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
    }

    test::CTempDir dir;
    std::string error;
};

TEST_F(AtomicFileTest, ALinkIsFollowedToItsFinalFileAndKept) {
    dir.Write("dotfiles/deep/settings.ini", "old");
    std::filesystem::create_symlink("deep/settings.ini", dir / "dotfiles/middle");
    std::filesystem::create_directory(dir / "home");
    std::filesystem::create_symlink("../dotfiles/middle", dir / "home/.settings.ini");
    ASSERT_TRUE(Write("home/.settings.ini", "new")) << error;
    EXPECT_EQ(dir.Read("dotfiles/deep/settings.ini"), "new");
    EXPECT_TRUE(IsLink("home/.settings.ini"));
    EXPECT_TRUE(IsLink("dotfiles/middle"));
    EXPECT_EQ(Names("dotfiles/deep"), (Texts{"settings.ini"})) << "no temporary file is left";

    // A dangling link creates the file it names.
    std::filesystem::create_symlink("../dotfiles/new.m3u", dir / "home/list.m3u");
    ASSERT_TRUE(Write("home/list.m3u", "a.mp3\r\n")) << error;
    EXPECT_EQ(dir.Read("dotfiles/new.m3u"), "a.mp3\r\n");
    EXPECT_TRUE(IsLink("home/list.m3u"));

    // A loop of links is an error, not a hang.
    std::filesystem::create_symlink("loop-b", dir / "loop-a");
    std::filesystem::create_symlink("loop-a", dir / "loop-b");
    EXPECT_FALSE(Write("loop-a", "x"));
    EXPECT_NE(error.find("loop-a"), std::string::npos) << error;
}

TEST_F(AtomicFileTest, AFileWithoutWritePermissionIsRefusedEvenForRoot) {
    const std::string path = dir.Write("locked.m3u", "old");
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(Write("locked.m3u", "new"));
    EXPECT_EQ(error, path + ": " + std::strerror(EACCES));
    EXPECT_EQ(dir.Read("locked.m3u"), "old");
    EXPECT_EQ(Names(), (Texts{"locked.m3u"}));

    // Through a link the file's own permission counts.
    std::filesystem::create_symlink("locked.m3u", dir / "link.m3u");
    EXPECT_FALSE(Write("link.m3u", "new"));
    EXPECT_EQ(dir.Read("locked.m3u"), "old");
}

TEST_F(AtomicFileTest, AReplacedFileKeepsItsModeAndOwnerAndOtherHardLinksKeepTheOldContent) {
    const std::string path = dir.Write("list.m3u", "old");
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    std::filesystem::create_hard_link(path, dir / "other-name.m3u");
    ASSERT_TRUE(Write("list.m3u", "new")) << error;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 1234u);
        EXPECT_EQ(st.st_gid, 5678u);
    }
    EXPECT_EQ(dir.Read("list.m3u"), "new");
    EXPECT_EQ(dir.Read("other-name.m3u"), "old") << "the file is replaced, not rewritten";
}

TEST_F(AtomicFileTest, ADeviceIsWrittenAndStaysADevice) {
    // A null device of our own where the system lets us make one, else the system's.
    std::string device = dir / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        device = "/dev/null";
    ASSERT_EQ(Type(device), static_cast<mode_t>(S_IFCHR));
    EXPECT_TRUE(WriteFileAtomically(device, std::string(100000, 'x'), error)) << error;
    EXPECT_EQ(Type(device), static_cast<mode_t>(S_IFCHR));
    if (device != "/dev/null") {
        EXPECT_EQ(Names(), (Texts{"null"}));
    }
}

TEST_F(AtomicFileTest, APipeIsWrittenToItsReaderAndAPipeWithoutOneFails) {
    const std::string pipe = dir / "pipe.m3u";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);

    // Nobody reads: a failure at once, not a wait.
    EXPECT_FALSE(Write("pipe.m3u", "a.mp3\n"));
    EXPECT_EQ(error, pipe + ": " + std::strerror(ENXIO));
    EXPECT_EQ(Type(pipe), static_cast<mode_t>(S_IFIFO));

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const std::string content = "a.mp3\r\nb.mp3\r\n"; // well within the pipe's buffer
    EXPECT_TRUE(Write("pipe.m3u", content)) << error;
    std::string received(100, '\0');
    const ssize_t n = ::read(reader, received.data(), received.size());
    received.resize(n > 0 ? static_cast<size_t>(n) : 0);
    EXPECT_EQ(received, content);
    EXPECT_EQ(Type(pipe), static_cast<mode_t>(S_IFIFO));
    EXPECT_EQ(Names(), (Texts{"pipe.m3u"}));

    // A reader that goes away fails the write; the program goes on.
    ::close(reader);
    const int lateReader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(lateReader, 0);
    static int closing = -1;
    closing = lateReader;
    atomic_file_testing::HalfWritten = [] { ::close(closing); };
    // The first half waits in the pipe; the reader is gone before the second.
    EXPECT_FALSE(Write("pipe.m3u", "ab"));
    EXPECT_EQ(error, pipe + ": " + std::strerror(EPIPE));

    // A folder is no file.
    std::filesystem::create_directory(dir / "folder.m3u");
    EXPECT_FALSE(Write("folder.m3u", "x"));
}

// A child process writes a large file and is killed halfway through.
void KillHalfway(const std::string& path, bool namedTemporary) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        atomic_file_testing::NamedTemporaryOnly = namedTemporary;
        atomic_file_testing::HalfWritten = [] { ::raise(SIGKILL); };
        std::string error;
        WriteFileAtomically(path, std::string(8 << 20, 'n'), error);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
}

TEST_F(AtomicFileTest, AKilledWriteLeavesTheOldFileAndNoTemporaryFileBehind) {
    dir.Write("music/list.m3u", "old");
    KillHalfway(dir / "music/list.m3u", false);
    EXPECT_EQ(dir.Read("music/list.m3u"), "old");
    EXPECT_EQ(Names("music"), (Texts{"list.m3u"}));

    // Where only a named temporary file can be had, the next write removes the one left.
    KillHalfway(dir / "music/list.m3u", true);
    EXPECT_EQ(dir.Read("music/list.m3u"), "old");
    const Texts left = Names("music");
    ASSERT_EQ(left.size(), 2u);
    EXPECT_TRUE(left[0].starts_with(".torvane-")) << left[0];
    atomic_file_testing::NamedTemporaryOnly = true;
    ASSERT_TRUE(Write("music/list.m3u", "new")) << error;
    EXPECT_EQ(dir.Read("music/list.m3u"), "new");
    EXPECT_EQ(Names("music"), (Texts{"list.m3u"}));
}

TEST_F(AtomicFileTest, OnlyTemporaryFilesOfWritersThatAreGoneAreRemoved) {
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string self = std::to_string(::getpid());
    const std::string dead = std::to_string(gone);
    for (const std::string& name :
         Texts{".torvane-" + dead + "-aB3xY9", ".torvane-" + self + "-aB3xY9", ".torvane-1-aB3xY9",
               ".torvane-old123", ".torvane-new123", ".torvane-" + dead + "-toolong", "song.mp3"})
        dir.Write(name, "x");
    // An older temporary file without its writer's process counts as left once a day old.
    const timeval twoDaysAgo[2] = {{::time(nullptr) - 2 * 86400, 0},
                                   {::time(nullptr) - 2 * 86400, 0}};
    ::utimes((dir / ".torvane-old123").c_str(), twoDaysAgo);

    ASSERT_TRUE(Write("list.m3u", "a")) << error;
    Texts kept{".torvane-" + dead + "-toolong",
               ".torvane-" + self + "-aB3xY9",
               ".torvane-1-aB3xY9",
               ".torvane-new123",
               "list.m3u",
               "song.mp3"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Names(), kept);
}

// A text in pieces of every size: small ones that gather in the buffer, and one larger than it.
std::string Pieces(CAtomicFile& file, size_t total) {
    std::string written;
    for (size_t i = 0; written.size() < total; ++i) {
        const size_t size = i == 7 ? 200000 : i % 300;
        const std::string piece(size, static_cast<char>('a' + i % 26));
        file.Write(piece);
        written += piece;
    }
    return written;
}

TEST_F(AtomicFileTest, AFileWrittenInPiecesTakesEffectOnlyWithCommit) {
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "unnamed temporary file");
        atomic_file_testing::NamedTemporaryOnly = named;
        const std::string path = dir.Write("list.m3u", "old");
        std::string content;
        {
            CAtomicFile file(path);
            content = Pieces(file, 1 << 20);
            EXPECT_EQ(dir.Read("list.m3u"), "old")
                << "the old file is whole while the new one grows";
            ASSERT_TRUE(file.Commit(error)) << error;
        }
        EXPECT_EQ(dir.Read("list.m3u"), content);
        EXPECT_EQ(Names(), (Texts{"list.m3u"}));

        // Destroyed without Commit: the old file stays, a new one is not made, nothing is left.
        {
            CAtomicFile file(path);
            Pieces(file, 300000);
        }
        {
            CAtomicFile file(dir / "new.m3u");
            Pieces(file, 300000);
            EXPECT_TRUE(file.Flush());
        }
        EXPECT_EQ(dir.Read("list.m3u"), content);
        EXPECT_EQ(Names(), (Texts{"list.m3u"}));
    }
}

TEST_F(AtomicFileTest, AnUnnamedFileThatCannotBeNamedIsCopiedIntoANamedOne) {
    atomic_file_testing::UnnamedCannotBeNamed = true;
    const std::string path = dir.Write("list.m3u", "old");
    ::chmod(path.c_str(), 0640);
    for (const std::string name : {"list.m3u", "new.m3u"}) {
        CAtomicFile file(dir / name);
        const std::string content = Pieces(file, 500000);
        ASSERT_TRUE(file.Commit(error)) << error;
        EXPECT_EQ(dir.Read(name), content);
    }
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(), (Texts{"list.m3u", "new.m3u"}));
}

TEST_F(AtomicFileTest, ADiskThatFillsUpMidwayKeepsTheOldFileAndLeavesNoTemporary) {
    // A device is written directly: the first piece that reaches it fails, and the rest is not
    // tried.
    {
        CAtomicFile full("/dev/full");
        full.Write("a.mp3\r\n");
        EXPECT_FALSE(full.Flush());
        full.Write(std::string(100000, 'x'));
        EXPECT_FALSE(full.Commit(error));
        EXPECT_EQ(error, std::string("/dev/full: ") + std::strerror(ENOSPC));
    }

    test::CScratchDisk disk(dir / "disk", test::CScratchDisk::Failure::Full); // 64 KB as root
    if (::geteuid() != 0 || !disk.Real())
        GTEST_SKIP() << "no small disk of our own to fill";
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "unnamed temporary file");
        atomic_file_testing::NamedTemporaryOnly = named;
        const std::string old(20000, 'o');
        ASSERT_TRUE(WriteFileAtomically(disk / "list.m3u", old, error)) << error;
        CAtomicFile file(disk / "list.m3u");
        Pieces(file, 300000);
        EXPECT_FALSE(file.Flush());
        EXPECT_FALSE(file.Commit(error));
        EXPECT_EQ(error, disk / "list.m3u" + ": " + std::strerror(ENOSPC));
        EXPECT_EQ(dir.Read("disk/list.m3u"), old);
        EXPECT_EQ(disk.Names(), (Texts{"list.m3u"}));
    }
}

} // namespace
} // namespace torvane
