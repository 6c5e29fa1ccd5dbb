#include "core/playlist/RelativePath.h"

#include <climits>
#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(RelativePathTest, InsideTheBase) {
    EXPECT_EQ(MakeRelativePath("/music", "/music/a.mp3"), "./a.mp3");
    EXPECT_EQ(MakeRelativePath("/music", "/music/Rock/a.mp3"), "./Rock/a.mp3");
    EXPECT_EQ(MakeRelativePath("/music/", "/music/Rock/a.mp3"), "./Rock/a.mp3");
    EXPECT_EQ(MakeRelativePath("/", "/music/a.mp3"), "./music/a.mp3");
}

TEST(RelativePathTest, SiblingsAndParentChains) {
    EXPECT_EQ(MakeRelativePath("/music/Pop", "/music/Rock/a.mp3"), "../Rock/a.mp3");
    EXPECT_EQ(MakeRelativePath("/music", "/other/b.mp3"), "../other/b.mp3");
    EXPECT_EQ(MakeRelativePath("/a/b/c/d", "/a/x/y.mp3"), "../../../x/y.mp3");
    EXPECT_EQ(MakeRelativePath("/music/Rock/live", "/music/Rock/a.mp3"), "../a.mp3");
}

TEST(RelativePathTest, ComponentsCompareWholeAndExactly) {
    EXPECT_EQ(MakeRelativePath("/music/Ro", "/music/Rock/a.mp3"), "../Rock/a.mp3")
        << "a common prefix of a name is no common component";
    EXPECT_EQ(MakeRelativePath("/Music", "/music/a.mp3"), "../music/a.mp3")
        << "case matters on this file system";
}

TEST(RelativePathTest, UnrelatedRootsAndNoBaseKeepThePath) {
    EXPECT_EQ(MakeRelativePath("", "/music/a.mp3"), "/music/a.mp3");
    EXPECT_EQ(MakeRelativePath("music", "/music/a.mp3"), "/music/a.mp3");
    EXPECT_EQ(MakeRelativePath("/music", "music/a.mp3"), "music/a.mp3");
    EXPECT_EQ(MakeRelativePath("/music", "http://host/a.mp3"), "http://host/a.mp3");
}

TEST(RelativePathTest, TooLongResultKeepsThePath) {
    std::string base;
    while (base.size() < PATH_MAX / 2)
        base += "/d";
    const std::string path = "/x/" + std::string(PATH_MAX / 2, 'n') + ".mp3";
    EXPECT_EQ(MakeRelativePath(base, path), path);
}

} // namespace
} // namespace torvane
