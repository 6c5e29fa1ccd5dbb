#include "core/save/FolderSaver.h"
#include "DocFixture.h"

#include <filesystem>

namespace torvane {
namespace {

class FolderSaverTest : public test::DocTest {
protected:
    std::vector<std::string> Names(const FolderGroups& groups) const {
        std::vector<std::string> names;
        for (const FolderGroup& group : groups.Groups)
            names.push_back(group.FileName.substr(dir.Path().size()));
        return names;
    }
};

TEST_F(FolderSaverTest, GroupsByExactFolderKeepingListOrder) {
    const std::string d = dir.Path();
    AddPaths({d + "/Rock/1.mp3", d + "/Pop/2.mp3", d + "/Rock/3.mp3", d + "/rock/4.mp3",
              d + "/Pop/5.mp3"});
    const FolderGroups groups = GroupByFolder(doc.CurrentList());
    EXPECT_EQ(Names(groups),
              (std::vector<std::string>{"/Pop/Pop.m3u", "/Rock/Rock.m3u", "/rock/rock.m3u"}));
    std::vector<std::string> sorted;
    for (const CListData* record : groups.Sorted)
        sorted.emplace_back(record->FileName());
    EXPECT_EQ(sorted, (std::vector<std::string>{"2", "5", "1", "3", "4"}));
    EXPECT_EQ(groups.Groups[1].First, 2u);
    EXPECT_EQ(groups.Groups[1].End, 4u);
    EXPECT_EQ(doc.CurrentList()[0]->FileName(), "1") << "the list itself keeps its order";
    EXPECT_TRUE(GroupByFolder({}).Groups.empty());
}

TEST_F(FolderSaverTest, WritesTickedGroupsAndTheirIndex) {
    const std::string d = dir.Path();
    dir.Write("Rock/.keep", "");
    dir.Write("Pop/.keep", "");
    dir.Write("Jazz/.keep", "");
    AddPaths({d + "/Rock/1.mp3", d + "/Pop/2.mp3", d + "/Rock/3.mp3", d + "/Jazz/4.mp3"});
    FolderGroups groups = GroupByFolder(doc.CurrentList());
    groups.Groups[0].Ticked = false; // Jazz
    ASSERT_TRUE(SaveEachFolder(doc, groups, {false, d + "/index.txt"}));
    EXPECT_EQ(dir.Read("Rock/Rock.m3u"), "1.mp3\r\n3.mp3\r\n");
    EXPECT_EQ(dir.Read("Pop/Pop.m3u"), "2.mp3\r\n");
    EXPECT_FALSE(std::filesystem::exists(d + "/Jazz/Jazz.m3u"));
    EXPECT_EQ(dir.Read("index.txt"), d + "/Pop/Pop.m3u\r\n" + d + "/Rock/Rock.m3u\r\n");
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"保存しました。"}));
    EXPECT_EQ(host.Messages[0].Caption, "確認");

    ASSERT_TRUE(SaveEachFolder(doc, groups, {true, "i.tx"}));
    EXPECT_EQ(dir.Read("Rock/Rock.m3u"), d + "/Rock/1.mp3\r\n" + d + "/Rock/3.mp3\r\n");
    EXPECT_FALSE(std::filesystem::exists("i.tx")) << "four characters or fewer: no index";
}

TEST_F(FolderSaverTest, AGroupThatCannotBeWrittenIsReportedAndSkipped) {
    const std::string d = dir.Path();
    dir.Write("Pop/Pop.m3u", "previous\r\n");
    dir.Write("Rock/.keep", "");
    AddPaths({d + "/Pop/2.mp3", d + "/Gone/x.mp3", d + "/Rock/1.mp3"});
    host.FullDiskFor = {d + "/Pop/Pop.m3u"};
    EXPECT_FALSE(SaveEachFolder(doc, GroupByFolder(doc.CurrentList()), {false, d + "/i.txt"}));
    EXPECT_EQ(dir.Read("Pop/Pop.m3u"), "previous\r\n");
    EXPECT_EQ(dir.Read("Rock/Rock.m3u"), "1.mp3\r\n");
    EXPECT_EQ(dir.Read("i.txt"), d + "/Rock/Rock.m3u\r\n") << "only the playlists written";
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"ファイルのオープンに失敗しました",
                                                             "ファイルのオープンに失敗しました"}))
        << "no success message after a failure";
    EXPECT_FALSE(host.WaitCursor);
}

} // namespace
} // namespace torvane
