#include "core/settings/Profile.h"
#include "Fakes.h"
#include "core/settings/ProfileLocation.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

TEST(Profile, ReadsIntegersAndTextsWithDefaults) {
    CProfile profile;
    profile.Parse("; comment\r\n[app]\r\nSizeOf=1\r\nTimeOf= 2\r\nbad=x\r\n"
                  "relative_root=/home/a b/\r\nempty=\r\n[window]\ntop=-5\n");
    EXPECT_EQ(profile.GetInt("app", "SizeOf", 0), 1);
    EXPECT_EQ(profile.GetInt("app", "TimeOf", 0), 2);
    EXPECT_EQ(profile.GetInt("app", "bad", 7), 7);
    EXPECT_EQ(profile.GetInt("app", "missing", 9), 9);
    EXPECT_EQ(profile.GetInt("window", "top", 0), -5);
    EXPECT_EQ(profile.GetString("app", "relative_root"), "/home/a b/");
    EXPECT_EQ(profile.GetString("app", "empty", "default"), "");
    EXPECT_EQ(profile.GetString("APP", "SizeOf", "none"), "none") << "names are exact";
}

TEST(Profile, RoundTripKeepsOrderAndClearsSections) {
    CProfile profile;
    profile.SetInt("app", "readtag", 2);
    profile.SetInt("app", "SizeOf", 0);
    profile.SetString("MRU_File", "file_1", "/a.m3u");
    profile.SetInt("app", "readtag", 3);
    profile.SetString("app", "relative_root", "line\nbreak");
    profile.ClearSection("MRU_File");
    EXPECT_EQ(profile.ToText(),
              "[app]\nreadtag=3\nSizeOf=0\nrelative_root=line break\n\n[MRU_File]\n\n");

    CProfile copy;
    copy.Parse(profile.ToText());
    EXPECT_EQ(copy.ToText(), profile.ToText());

    // Lines ending in more than one carriage return read and write back the same.
    copy.Parse("[app]\r\nTagOf=1\r\r\r\nrelative_root=/a b\r\r\n");
    EXPECT_EQ(copy.GetInt("app", "TagOf", 0), 1);
    EXPECT_EQ(copy.ToText(), "[app]\nTagOf=1\nrelative_root=/a b\n\n");
}

TEST(Profile, SavesAtomicallyAndLoads) {
    test::CTempDir dir;
    const std::string path = dir / "sub/folder/torvane.ini";
    CProfile profile(path);
    EXPECT_FALSE(profile.Load()) << "a missing file gives defaults";
    profile.SetInt("app", "SizeOf", 1);
    ASSERT_TRUE(profile.Save());

    CProfile loaded(path);
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.GetInt("app", "SizeOf", 0), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "sub/folder"),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";
}

TEST(Profile, FailedSaveIsReportedAndLeavesNoTemporaryFile) {
    test::CTempDir dir;
    dir.Write("taken/keep", "x"); // a folder stands where the file should go: even root fails
    CProfile profile(dir / "taken");
    profile.SetInt("app", "SizeOf", 0);
    std::string error;
    EXPECT_FALSE(profile.Save(&error));
    EXPECT_NE(error.find("taken"), std::string::npos);
    EXPECT_EQ(dir.Read("taken/keep"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator{}),
              1);

    CProfile underFile(dir / "taken/keep/torvane.ini");
    EXPECT_FALSE(underFile.Save(&error)) << "a file stands where a folder should be";
}

TEST(ProfileLocation, OptionThenEnvironmentThenProgramFolderThenXdg) {
    ProfileLocationInputs in;
    in.Option = "/opt.ini";
    in.EnvironmentPath = "/env.ini";
    in.ProgramFolder = "/opt/torvane";
    in.PortableProfileExists = true;
    in.XdgConfigHome = "/xdg";
    in.Home = "/home/u";
    EXPECT_EQ(ResolveProfilePath(in), "/opt.ini");
    in.Option.clear();
    EXPECT_EQ(ResolveProfilePath(in), "/env.ini");
    in.EnvironmentPath.clear();
    EXPECT_EQ(ResolveProfilePath(in), "/opt/torvane/torvane.ini");
    in.PortableProfileExists = false;
    EXPECT_EQ(ResolveProfilePath(in), "/xdg/torvane/torvane.ini");
    in.XdgConfigHome = "relative/ignored";
    EXPECT_EQ(ResolveProfilePath(in), "/home/u/.config/torvane/torvane.ini");
}

// A per-user install into ~/.local/bin: the folder is writable, yet neither the profile nor the
// tag cache goes there until the user puts a torvane.ini beside the program.
TEST(ProfileLocation, AWritableProgramFolderIsNotEnough) {
    const test::CTempDir dir;
    const std::string bin = dir / "bin";
    ASSERT_EQ(::mkdir(bin.c_str(), 0755), 0);
    ASSERT_EQ(::access(bin.c_str(), W_OK), 0);
    const std::string self = ProgramFolder();
    ASSERT_FALSE(self.empty());

    ProfileLocationInputs in;
    in.ProgramFolder = bin;
    in.PortableProfileExists = false;
    in.XdgConfigHome = dir.Path() + "/config";
    EXPECT_EQ(ResolveProfilePath(in), dir.Path() + "/config/torvane/torvane.ini");
    EXPECT_EQ(TagCachePath(ResolveProfilePath(in), in.XdgConfigHome, dir.Path() + "/cache", ""),
              dir.Path() + "/cache/torvane/tags.cache");

    // The same rule from this process: the test program's folder is writable and has no
    // torvane.ini, so the XDG folder is chosen; once one exists there it is used.
    test::CScopedEnvironment config("XDG_CONFIG_HOME", in.XdgConfigHome);
    test::CScopedEnvironment profile("TORVANE_PROFILE", nullptr);
    EXPECT_EQ(ResolveProfilePath(std::string()), in.XdgConfigHome + "/torvane/torvane.ini");
    const std::string portable = self + "/torvane.ini";
    ASSERT_NE(::access(portable.c_str(), F_OK), 0) << "a leftover " << portable;
    { std::ofstream(portable) << "[app]\n"; }
    const std::string chosen = ResolveProfilePath(std::string());
    ::unlink(portable.c_str());
    EXPECT_EQ(chosen, portable);
    EXPECT_EQ(TagCachePath(chosen), self + "/torvane-tags.cache");
}

} // namespace
} // namespace torvane
