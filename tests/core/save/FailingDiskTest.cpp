#include "Fakes.h"
#include "ScratchDisk.h"
#include "core/commands/AutoSave.h"
#include "core/doc/TorvaneDoc.h"
#include "core/save/FolderSaver.h"
#include "core/save/HtmlWriter.h"
#include "core/save/PlaylistWriter.h"
#include "core/settings/Profile.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace torvane {
namespace {

using test::CScratchDisk;
using Failure = CScratchDisk::Failure;
using Texts = std::vector<std::string>;

// Every writer over a disk that turns read-only or full after the previous files were written:
// each previous file stays byte for byte, no temporary file is left behind, and the failure is
// reported with the program's text.
class FailingDiskTest : public ::testing::TestWithParam<Failure> {
protected:
    FailingDiskTest() {
        doc.SetView(&view);
        doc.Settings().readtag = 0;
        doc.Settings().CloseSave = true;
        dir.Write("templates/plain.htm", "<p>\n<!-- tvn -->\n%fname%\n<!-- tvn -->\n</p>\n");
    }

    void Clear() {
        doc.UpdateItemCount();
        doc.ClearCurrentList();
    }
    void Add(const std::string& name) {
        ASSERT_TRUE(doc.AddFile(disk / name, true));
        doc.UpdateItemCount();
    }

    // The writers, each writing the current list to its file in the disk's folder.
    struct Writer {
        const char* Name;
        std::vector<std::string> Files;
        std::function<bool()> Write;
    };
    std::vector<Writer> Writers() {
        const std::string index = disk / "index.txt";
        return {
            {"playlist",
             {"list.m3u"},
             [=, this] { return WritePlaylistFile(doc, disk / "list.m3u", {}); }},
            {"extended M3U",
             {"list.m3u8"},
             [=, this] { return WritePlaylistFile(doc, disk / "list.m3u8", {}); }},
            {"PLS",
             {"list.pls"},
             [=, this] { return WritePlaylistFile(doc, disk / "list.pls", {}); }},
            {"XSPF",
             {"list.xspf"},
             [=, this] { return WritePlaylistFile(doc, disk / "list.xspf", {}); }},
            {"HTML",
             {"page.htm"},
             [=, this] {
                 return WriteHtml(doc, disk / "page.htm", "plain.htm", {dir / "templates"});
             }},
            {"per folder",
             {"disk.m3u", "index.txt"},
             [=, this] {
                 return SaveEachFolder(doc, GroupByFolder(doc.CurrentList()), {false, index});
             }},
            {"autosave", {"Torvane.m3u"}, [this] { return AutoSaveList(doc); }},
        };
    }

    test::CTempDir dir;
    CScratchDisk disk{dir / "disk", GetParam()};
    CProfile profile{disk / "torvane.ini"};
    test::CFakeHost host;
    test::CFakeView view;
    CTorvaneDoc doc{profile, host};
};

TEST_P(FailingDiskTest, EveryWriterKeepsThePreviousFile) {
    Add("a.mp3");
    std::map<std::string, std::string> previous;
    for (const Writer& writer : Writers()) {
        ASSERT_TRUE(writer.Write()) << writer.Name << " on the sound disk";
        for (const std::string& file : writer.Files)
            previous[file] = dir.Read("disk/" + file);
    }
    const Texts before = disk.Names();
    disk.Break();
    if (!disk.Real()) {
        // No mount here: the host's write seam fails as a full disk does.
        for (const auto& [file, content] : previous)
            host.FullDiskFor.insert(disk / file);
    }
    host.Messages.clear();

    Add("b.mp3");
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.Name);
        const size_t messages = host.Messages.size();
        EXPECT_FALSE(writer.Write());
        ASSERT_GT(host.Messages.size(), messages);
        EXPECT_EQ(host.Messages[messages].Text, "ファイルのオープンに失敗しました");
        EXPECT_EQ(host.Messages[messages].Caption, "error");
        for (const std::string& file : writer.Files)
            EXPECT_EQ(dir.Read("disk/" + file), previous[file]) << file;
    }
    EXPECT_EQ(disk.Names(), before) << "no temporary file is left";
    for (const test::CFakeHost::Message& message : host.Messages)
        EXPECT_NE(message.Text, "保存しました。") << "nothing is reported as saved";
}

TEST_P(FailingDiskTest, TheProfileKeepsItsPreviousContent) {
    profile.SetInt("app", "SizeOf", 1);
    ASSERT_TRUE(profile.Save());
    const std::string previous = dir.Read("disk/torvane.ini");
    disk.Break();
    if (!disk.Real())
        GTEST_SKIP() << "no mount privilege: the profile has no write seam to fail instead";
    profile.SetString("app", "relative_root", std::string(70000, 'r')); // more than 64 KiB
    std::string error;
    EXPECT_FALSE(profile.Save(&error));
    EXPECT_NE(error.find("torvane.ini"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("disk/torvane.ini"), previous);
    EXPECT_EQ(disk.Names(), (Texts{"torvane.ini"}));
}

INSTANTIATE_TEST_SUITE_P(Disks, FailingDiskTest,
                         ::testing::Values(Failure::ReadOnly, Failure::Full), [](const auto& info) {
                             return info.param == Failure::ReadOnly ? "ReadOnly" : "Full";
                         });

// An emptied list at exit deletes the kept one; a file that cannot be deleted would bring the
// old list back at the next start, so that is reported too.
class ReadOnlyDiskTest : public FailingDiskTest {};

TEST_P(ReadOnlyDiskTest, AKeptListThatCannotBeDeletedIsReported) {
    Add("a.mp3");
    ASSERT_TRUE(AutoSaveList(doc));
    const std::string previous = dir.Read("disk/Torvane.m3u");
    disk.Break();
    if (!disk.Real())
        GTEST_SKIP() << "running as root without the right to mount: nothing refuses the delete";
    Clear();
    EXPECT_FALSE(AutoSaveList(doc));
    EXPECT_EQ(host.MessageTexts(), (Texts{"ファイルのオープンに失敗しました"}));
    EXPECT_EQ(dir.Read("disk/Torvane.m3u"), previous);
}

INSTANTIATE_TEST_SUITE_P(Disks, ReadOnlyDiskTest, ::testing::Values(Failure::ReadOnly));

// Every writer on a sound disk whose targets are symbolic links (settings kept in a dotfiles
// folder) or files without write permission.
class WriterTargetTest : public FailingDiskTest {};

TEST_P(WriterTargetTest, EveryWriterWritesThroughALinkAndKeepsIt) {
    // Dangling links at first: the first write creates the files they name.
    for (const Writer& writer : Writers())
        for (const std::string& file : writer.Files)
            std::filesystem::create_symlink("../dotfiles/" + file, disk / file);
    std::filesystem::create_directory(dir / "dotfiles");
    std::filesystem::create_symlink("../dotfiles/torvane.ini", disk / "torvane.ini");
    const auto isLink = [this](const std::string& file) {
        return std::filesystem::is_symlink(disk / file);
    };

    for (const std::string song : {"alpha", "bravo"}) {
        Add(song + ".mp3");
        for (const Writer& writer : Writers()) {
            SCOPED_TRACE(writer.Name);
            ASSERT_TRUE(writer.Write());
            for (const std::string& file : writer.Files) {
                EXPECT_TRUE(isLink(file)) << file;
                // The index names the playlists, not the songs.
                if (file != "index.txt") {
                    EXPECT_NE(dir.Read("dotfiles/" + file).find(song), std::string::npos) << file;
                }
            }
        }
        profile.SetString("app", "relative_root", song);
        std::string error;
        ASSERT_TRUE(profile.Save(&error)) << error;
        EXPECT_TRUE(isLink("torvane.ini"));
        EXPECT_NE(dir.Read("dotfiles/torvane.ini").find(song), std::string::npos);
    }
    for (const test::CFakeHost::Message& message : host.Messages)
        EXPECT_NE(message.Text, "ファイルのオープンに失敗しました");
}

TEST_P(WriterTargetTest, EveryWriterRefusesAFileWithoutWritePermission) {
    Add("a.mp3");
    std::map<std::string, std::string> previous;
    for (const Writer& writer : Writers()) {
        ASSERT_TRUE(writer.Write()) << writer.Name;
        for (const std::string& file : writer.Files) {
            previous[file] = dir.Read("disk/" + file);
            ::chmod((disk / file).c_str(), 0444);
        }
    }
    ASSERT_TRUE(profile.Save());
    ::chmod((disk / "torvane.ini").c_str(), 0444);
    const std::string previousProfile = dir.Read("disk/torvane.ini");
    const Texts before = disk.Names();

    Add("b.mp3");
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.Name);
        host.Messages.clear();
        EXPECT_FALSE(writer.Write());
        EXPECT_EQ(host.MessageTexts(), (Texts{"ファイルのオープンに失敗しました"}));
        ASSERT_FALSE(host.Messages.empty());
        EXPECT_EQ(host.Messages[0].Caption, "error");
        for (const std::string& file : writer.Files)
            EXPECT_EQ(dir.Read("disk/" + file), previous[file]) << file;
    }
    profile.SetString("app", "relative_root", "changed");
    std::string error;
    EXPECT_FALSE(profile.Save(&error));
    EXPECT_NE(error.find("torvane.ini"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("disk/torvane.ini"), previousProfile);
    EXPECT_EQ(disk.Names(), before) << "no temporary file is left";
}

// The text is written as it is made: a disk that fills up partway through a long list fails the
// write there, and the previous file is still whole.
TEST_P(WriterTargetTest, EveryWriterKeepsThePreviousFileWhenTheDiskFillsUpMidway) {
    if (!disk.Real())
        GTEST_SKIP() << "no small disk of our own to fill";
    Add("a.mp3");
    std::map<std::string, std::string> previous;
    for (const Writer& writer : Writers()) {
        ASSERT_TRUE(writer.Write()) << writer.Name;
        for (const std::string& file : writer.Files)
            previous[file] = dir.Read("disk/" + file);
    }
    const Texts before = disk.Names();
    // Far more than the 64 KB disk holds, so that the writers' buffer goes out several times.
    for (int i = 0; i < 600; ++i)
        Add(std::to_string(i) + std::string(200, 'x') + ".mp3");

    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.Name);
        host.Messages.clear();
        EXPECT_FALSE(writer.Write());
        ASSERT_FALSE(host.Messages.empty());
        EXPECT_EQ(host.Messages[0].Text, "ファイルのオープンに失敗しました");
        for (const std::string& file : writer.Files)
            EXPECT_EQ(dir.Read("disk/" + file), previous[file]) << file;
        EXPECT_EQ(disk.Names(), before) << "no temporary file is left";
    }
}

INSTANTIATE_TEST_SUITE_P(Disks, WriterTargetTest, ::testing::Values(Failure::Full),
                         [](const auto&) { return "Sound"; });

} // namespace
} // namespace torvane
