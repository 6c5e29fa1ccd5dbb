#include "core/settings/RecentList.h"
#include "DocFixture.h"

#include <filesystem>

namespace torvane {
namespace {

using test::Texts;

TEST(RecentListTest, MostRecentFirstWithoutDuplicates) {
    CRecentList history("MRU_File", "file_");
    for (const char* path : {"/l/1.m3u", "/l/2.m3u", "/l/3.m3u", "/l/2.m3u"})
        history.Add(path);
    EXPECT_EQ(history.Entries(), (Texts{"/l/2.m3u", "/l/3.m3u", "/l/1.m3u"}));

    history.Add("/l/L/1.M3U");
    EXPECT_EQ(history.Entries().size(), 4u) << "paths compare exactly: another case is another";
    for (const char* path : {"/l/4.m3u", "/l/5.m3u"})
        history.Add(path);
    EXPECT_EQ(history.Entries(),
              (Texts{"/l/5.m3u", "/l/4.m3u", "/l/L/1.M3U", "/l/2.m3u", "/l/3.m3u"}))
        << "the sixth drops the oldest";
    history.Add("/l/3.m3u");
    EXPECT_EQ(history.Entries().front(), "/l/3.m3u") << "the fifth moves to the front";
    EXPECT_EQ(history.Entries().size(), 5u);
    EXPECT_EQ(history.At(5), "");

    history.Add("rel/x.m3u");
    EXPECT_EQ(history.At(0), std::filesystem::current_path().string() + "/rel/x.m3u");
}

TEST(RecentListTest, ProfileSlotsAndMenuCaptions) {
    CProfile profile;
    profile.Parse("[MRU_Dir]\ndir_1=/music/R&B\ndir_3=/music/\nstale=1\n");
    CRecentList folders("MRU_Dir", "dir_");
    folders.Read(profile);
    EXPECT_EQ(folders.Entries(), (Texts{"/music/R&B", "/music/"}));
    EXPECT_EQ(folders.MenuCaption(0), "&1 R&&B");
    EXPECT_EQ(folders.MenuCaption(1), "&2 music");

    folders.Add("/new");
    folders.Write(profile);
    EXPECT_EQ(profile.ToText(), "[MRU_Dir]\ndir_1=/new\ndir_2=/music/R&B\ndir_3=/music/\n\n");
}

class DocHistoryTest : public test::DocTest {};

TEST_F(DocHistoryTest, HistoriesAreReadAtConstructionAndWrittenLast) {
    CProfile stored;
    stored.Parse("[MRU_File]\nfile_1=/a.m3u\n[MRU_Dir]\ndir_1=/m\n");
    {
        CTorvaneDoc other(stored, host);
        EXPECT_EQ(other.FileHistory().Entries(), (Texts{"/a.m3u"}));
        EXPECT_EQ(other.FolderHistory().Entries(), (Texts{"/m"}));
        other.FileHistory().Add("/b.m3u");
    }
    const std::string text = stored.ToText();
    EXPECT_NE(text.find("[MRU_File]\nfile_1=/b.m3u\nfile_2=/a.m3u\n"), std::string::npos);
    EXPECT_LT(text.find("[app]"), text.find("[ext]"));
}

} // namespace
} // namespace torvane
