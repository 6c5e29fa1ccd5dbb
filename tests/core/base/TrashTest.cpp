// The freedesktop trash on a path's bytes, the shown text of names that are not UTF-8, the
// command line's operands and programs started on such names.

#include "Fakes.h"

#include "core/base/DetachedStart.h"
#include "core/base/DisplayPath.h"
#include "core/base/FileUri.h"
#include "core/base/TextCodec.h"
#include "core/base/Trash.h"
#include "core/gather/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;

std::string InfoPath(const std::string& info) {
    const size_t start = info.find("\nPath=");
    if (start == std::string::npos)
        return {};
    const size_t end = info.find('\n', start + 1);
    return info.substr(start + 6, end - start - 6);
}

// Two names that look alike once decoded carelessly: Latin-1 "é" and the UTF-8 replacement
// character.
const std::string Latin = "a\xE9.mp3";
const std::string Replacement = "a\xEF\xBF\xBD.mp3";

TEST(TrashTest, MovesTheFileOfItsOwnBytesAndOnlyIt) {
    CTempDir dir;
    const test::CScopedEnvironment home("XDG_DATA_HOME", dir / "data");
    const std::string latin = dir.Write("music/" + Latin, "latin");
    const std::string other = dir.Write("music/" + Replacement, "other");
    std::string error;
    ASSERT_TRUE(MoveToTrash(latin, error)) << error;
    EXPECT_FALSE(fs::exists(latin));
    EXPECT_EQ(dir.Read("music/" + Replacement), "other");
    EXPECT_EQ(dir.Read("data/Trash/files/" + Latin), "latin");
    EXPECT_FALSE(fs::exists(dir / ("data/Trash/files/" + Replacement)));

    const std::string info = dir.Read("data/Trash/info/" + Latin + ".trashinfo");
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=/")) << info;
    EXPECT_EQ(InfoPath(info), PercentEncodePath(latin));
    EXPECT_NE(InfoPath(info).find("a%E9.mp3"), std::string::npos) << info;
    const size_t date = info.find("\nDeletionDate=");
    ASSERT_NE(date, std::string::npos);
    EXPECT_EQ(info.size() - date, std::string("\nDeletionDate=2026-01-01T00:00:00\n").size());
    struct stat st {};
    ASSERT_EQ(::stat((dir / "data/Trash").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(TrashTest, CollidingNamesGetASuffixAndNothingIsReplaced) {
    CTempDir dir;
    const test::CScopedEnvironment home("XDG_DATA_HOME", dir / "data");
    std::string error;
    for (const char* folder : {"one", "two", "three"})
        ASSERT_TRUE(MoveToTrash(dir.Write(std::string(folder) + "/song.mp3", folder), error))
            << error;
    EXPECT_EQ(dir.Read("data/Trash/files/song.mp3"), "one");
    EXPECT_EQ(dir.Read("data/Trash/files/song.2.mp3"), "two");
    EXPECT_EQ(dir.Read("data/Trash/files/song.3.mp3"), "three");
    EXPECT_EQ(InfoPath(dir.Read("data/Trash/info/song.3.mp3.trashinfo")),
              PercentEncodePath(dir / "three/song.mp3"));

    // an info file left behind without its file still holds its name
    dir.Write("data/Trash/info/lone.trashinfo", "[Trash Info]\n");
    ASSERT_TRUE(MoveToTrash(dir.Write("lone", "x"), error)) << error;
    EXPECT_TRUE(fs::exists(dir / "data/Trash/files/lone.2"));
    EXPECT_FALSE(fs::exists(dir / "data/Trash/files/lone"));
    // and a file without its info file is not replaced
    dir.Write("data/Trash/files/kept.ogg", "old");
    ASSERT_TRUE(MoveToTrash(dir.Write("kept.ogg", "new"), error)) << error;
    EXPECT_EQ(dir.Read("data/Trash/files/kept.ogg"), "old");
    EXPECT_EQ(dir.Read("data/Trash/files/kept.2.ogg"), "new");
    EXPECT_FALSE(fs::exists(dir / "data/Trash/info/kept.ogg.trashinfo"));

    EXPECT_EQ(TrashNameCandidate("a.b.mp3", 4), "a.b.4.mp3");
    EXPECT_EQ(TrashNameCandidate(".hidden", 2), ".hidden.2");
    EXPECT_EQ(TrashNameCandidate("README", 2), "README.2");
}

TEST(TrashTest, FailuresLeaveTheFileWhereItWas) {
    CTempDir dir;
    std::string error;
    {
        const test::CScopedEnvironment home("XDG_DATA_HOME", "relative/data");
        const std::string file = dir.Write("a.mp3", "x");
        EXPECT_FALSE(MoveToTrash(file, error));
        EXPECT_NE(error.find("XDG_DATA_HOME"), std::string::npos) << error;
        EXPECT_TRUE(fs::exists(file));
        EXPECT_FALSE(fs::exists("relative"));
    }
    const test::CScopedEnvironment home("XDG_DATA_HOME", dir / "data");
    error.clear();
    EXPECT_FALSE(MoveToTrash(dir / "missing.mp3", error));
    EXPECT_FALSE(error.empty());

    // the rename fails after the info file was made (a folder cannot go into itself): the
    // info file goes again
    const std::string folder = dir / "c";
    fs::create_directories(folder + "/trash");
    error.clear();
    EXPECT_FALSE(MoveIntoTrash(folder, {folder + "/trash", {}}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(folder + "/trash/files"));
    EXPECT_TRUE(fs::is_empty(folder + "/trash/info"));
}

TEST(TrashTest, AReadOnlyTrashTakesNothing) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    CTempDir dir;
    const test::CScopedEnvironment home("XDG_DATA_HOME", dir / "data");
    std::string error;
    const std::string file = dir.Write("b.mp3", "x");
    fs::create_directories(dir / "data/Trash/files");
    fs::create_directories(dir / "data/Trash/info");
    ::chmod((dir / "data/Trash/files").c_str(), 0500);
    error.clear();
    EXPECT_FALSE(MoveToTrash(file, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(fs::is_empty(dir / "data/Trash/info"));
    ::chmod((dir / "data/Trash/files").c_str(), 0700);
}

// A volume trash can only be reached across a real device boundary; the top folder is found
// through an injected device lookup, and the relative Path= through a trash given by hand.
TEST(TrashTest, AnotherDeviceGoesToItsVolumesTrashWithRelativePaths) {
    const std::map<std::string, dev_t> devices{
        {"/", 1}, {"/media", 1}, {"/media/usb", 2}, {"/media/usb/music", 2}, {"/media/usb/a", 2}};
    const DeviceOf deviceOf = [&devices](const std::string& path) -> std::optional<dev_t> {
        const auto found = devices.find(path);
        return found == devices.end() ? std::nullopt : std::optional<dev_t>(found->second);
    };
    EXPECT_EQ(TopFolderOf("/media/usb/music", deviceOf), "/media/usb");
    EXPECT_EQ(TopFolderOf("/media/usb/", deviceOf), "/media/usb");
    EXPECT_EQ(TopFolderOf("/media", deviceOf), "/");
    EXPECT_EQ(TopFolderOf("/nowhere/x", deviceOf), "/nowhere/x");

    // the whole choice, with everything under "volume" on a device of its own
    CTempDir dir;
    const test::CScopedEnvironment home("XDG_DATA_HOME", dir / "data");
    const std::string volume = dir / "volume";
    const DeviceOf split = [&volume](const std::string& path) -> std::optional<dev_t> {
        return path.starts_with(volume) ? 2 : 1;
    };
    const std::string uid = std::to_string(::getuid());
    const std::string file = dir.Write("volume/music/" + Latin, "x");
    std::string error;
    ASSERT_TRUE(MoveToTrash(file, error, split)) << error;
    EXPECT_EQ(dir.Read("volume/.Trash-" + uid + "/files/" + Latin), "x");
    EXPECT_EQ(InfoPath(dir.Read("volume/.Trash-" + uid + "/info/" + Latin + ".trashinfo")),
              "music/a%E9.mp3");
    EXPECT_FALSE(fs::exists(dir / "data/Trash/files/" + Latin));

    // a shared .Trash counts only when it is a real sticky folder, not a link to one
    fs::create_directories(dir / "sticky");
    ::chmod((dir / "sticky").c_str(), 01777);
    fs::create_directory_symlink(dir / "sticky", volume + "/.Trash");
    EXPECT_EQ(VolumeTrashAt(volume).Folder, volume + "/.Trash-" + uid);
    fs::remove(volume + "/.Trash");
    fs::create_directories(volume + "/.Trash");
    EXPECT_EQ(VolumeTrashAt(volume).Folder, volume + "/.Trash-" + uid) << "not sticky";
    ::chmod((volume + "/.Trash").c_str(), 01777);
    ASSERT_TRUE(MoveToTrash(dir.Write("volume/b.ogg", "b"), error, split)) << error;
    EXPECT_EQ(dir.Read("volume/.Trash/" + uid + "/files/b.ogg"), "b");
    EXPECT_EQ(InfoPath(dir.Read("volume/.Trash/" + uid + "/info/b.ogg.trashinfo")), "b.ogg");
}

TEST(TrashTest, InfoTextIsPercentEncodedLocalTime) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(TrashInfoText("/m/it's 100%\n.mp3", 86400 + 3661),
              "[Trash Info]\nPath=/m/it%27s%20100%25%0A.mp3\nDeletionDate=1970-01-02T01:01:01\n");
    ::unsetenv("TZ");
    ::tzset();
}

TEST(DisplayPathTest, ShowsNamesReadablyComponentByComponent) {
    const CTextCodec codec("CP932");
    EXPECT_EQ(DisplayPath("/音楽/a.mp3", codec), "/音楽/a.mp3");
    // Shift_JIS "あ" (82 A0) beside a UTF-8 folder: each part decoded on its own
    EXPECT_EQ(DisplayPath("/音楽/\x82\xA0.mp3", codec), "/音楽/あ.mp3");
    // 0xE9 alone is no Shift_JIS character: escaped, and told apart from U+FFFD
    EXPECT_EQ(DisplayPath("/m/" + Latin, codec), "/m/a\\xE9.mp3");
    EXPECT_EQ(DisplayPath("/m/" + Replacement, codec), "/m/a\xEF\xBF\xBD.mp3");
    EXPECT_EQ(DisplayPath("/m/" + Latin, CTextCodec("CP1252")), "/m/aé.mp3");
    EXPECT_EQ(DisplayPath("new\nline\x7F.mp3", codec), "new\\x0Aline\\x7F.mp3");
    EXPECT_EQ(DisplayPath("/m/\xFF\xFE", codec), "/m/\\xFF\\xFE");
}

TEST(CommandLineTest, OperandsKeepTheirBytes) {
    static constexpr std::string_view TakingValue[] = {"--profile", "--lang"};
    const std::string latin = "/m/" + Latin;
    const char* const arguments[] = {"--profile", "p.ini", latin.c_str(), "--no-cache", "--lang=en",
                                     "-",         "--",    "--lang",      nullptr,      "x"};
    EXPECT_EQ(CommandLineOperands(arguments, TakingValue),
              (std::vector<std::string>{latin, "-", "--lang", "x"}));
    const char* const valueLast[] = {"a", "--lang"};
    EXPECT_EQ(CommandLineOperands(valueLast, TakingValue), std::vector<std::string>{"a"});
}

TEST(DetachedStartTest, TheProgramGetsTheBytesAndLeavesNoChild) {
    CTempDir dir;
    const std::string script =
        dir.Write("bin/recorder", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/got.tmp\"\n"
                                  "mv \"$(dirname \"$0\")/got.tmp\" \"$(dirname \"$0\")/got\"\n");
    ::chmod(script.c_str(), 0755);
    const std::string file = dir / Latin;
    std::string error;
    ASSERT_TRUE(StartDetached(script, {file}, error)) << error;
    // the intermediate child was waited for; the program is nobody's child of ours
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    for (int wait = 0; wait < 3000 && !fs::exists(dir / "bin/got"); ++wait)
        ::usleep(10'000);
    EXPECT_EQ(dir.Read("bin/got"), file);

    EXPECT_FALSE(StartDetached(dir / "bin/none", {file}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(StartDetached(dir / "bin", {}, error)) << "a folder";
}

} // namespace
} // namespace torvane
