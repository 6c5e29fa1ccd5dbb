#include "core/base/FileUri.h"
#include "core/base/Paths.h"
#include "core/playlist/PlsFormat.h"
#include "core/playlist/XspfFormat.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

using Texts = std::vector<std::string>;

TEST(FileUriTest, EncodesWhatAUriCannotHoldAndDecodesItBack) {
    const std::string path = "/音楽/a b#1 100%&more?.mp3";
    const std::string uri = LocationOfPath(path);
    EXPECT_EQ(uri, "file:///%E9%9F%B3%E6%A5%BD/a%20b%231%20100%25%26more%3F.mp3");
    EXPECT_EQ(PathOfLocation(uri, "/elsewhere"), path);
    EXPECT_EQ(LocationOfPath("./sub/a b.mp3"), "./sub/a%20b.mp3")
        << "a relative path stays a relative reference";
    EXPECT_EQ(PercentDecode("100%-%4"), "100%-%4") << "broken escapes stay as written";
}

TEST(FileUriTest, LocationsResolveAgainstTheListFolder) {
    const std::string folder = "/music/lists";
    EXPECT_EQ(PathOfLocation("file://localhost/a.mp3", folder), "/a.mp3");
    EXPECT_EQ(PathOfLocation("FILE:/a%20b.mp3", folder), "/a b.mp3");
    EXPECT_EQ(PathOfLocation("./Rock/%E6%9B%B2.mp3", folder), "/music/lists/Rock/曲.mp3");
    EXPECT_EQ(PathOfLocation("../../../up.mp3", folder), "/up.mp3") << "never above the root";
    EXPECT_EQ(PathOfLocation("/abs/x.mp3", folder), "/abs/x.mp3");
    EXPECT_EQ(PathOfLocation("http://example.com/a.mp3", folder), std::nullopt);
    EXPECT_EQ(PathOfLocation("file://server/share/a.mp3", folder), std::nullopt)
        << "another host's file is not ours to read";
    EXPECT_EQ(PathOfLocation("file:relative.mp3", folder), std::nullopt);
    EXPECT_EQ(PathOfLocation("", folder), std::nullopt);
}

TEST(JoinRelativePathTest, DotsAreTakenAsTheWriterMeantThem) {
    EXPECT_EQ(JoinRelativePath("/m/lists", "./a.mp3"), "/m/lists/a.mp3");
    EXPECT_EQ(JoinRelativePath("/m/lists", "../Rock/./b.mp3"), "/m/Rock/b.mp3");
    EXPECT_EQ(JoinRelativePath("/m", "sub//c.mp3"), "/m/sub/c.mp3");
    EXPECT_EQ(JoinRelativePath("/", "../../d.mp3"), "/d.mp3");
    EXPECT_EQ(JoinRelativePath("/m", "x.mp3/"), "/m/x.mp3/") << "a folder name stays one";
}

TEST(PlsFormatTest, FileEntriesInNumberOrder) {
    const std::string text = "[playlist]\r\n"
                             "NumberOfEntries=3\r\n"
                             "File2=second.mp3\r\n"
                             "Title2=Second\r\n"
                             "file1 = first=one.mp3\r\n"
                             "FileX=not a number\r\n"
                             "File10=tenth.mp3\n"
                             "Length1=-1\r\n"
                             "Version=2";
    EXPECT_EQ(ParsePlsFiles(text), (Texts{" first=one.mp3", "second.mp3", "tenth.mp3"}))
        << "the value is everything after the first '='; blanks are trimmed by the reader";
    EXPECT_TRUE(ParsePlsFiles("[playlist]\nNumberOfEntries=0\n").empty());
}

TEST(PlsFormatTest, TitlesStayOnTheirLine) {
    PlaylistEntry entry;
    entry.Location = "/m/a.mp3";
    entry.FileName = "a";
    entry.Title = "Two\r\nLines";
    entry.Seconds = 61;
    EXPECT_EQ(BuildPls({entry}), "[playlist]\r\nFile1=/m/a.mp3\r\nTitle1=Two  Lines\r\n"
                                 "Length1=61\r\nNumberOfEntries=1\r\nVersion=2\r\n");
}

TEST(XspfFormatTest, ReadsTrackLocationsOnly) {
    const std::string xml = R"(<?xml version="1.0"?>
<!-- <location>file:///commented.mp3</location> -->
<x:playlist version="1" xmlns:x="http://xspf.org/ns/0/">
  <x:location>file:///the-playlist-itself.xspf</x:location>
  <x:trackList>
    <x:track><x:location> file:///a%20b.mp3 </x:location><x:title>A &amp; B</x:title></x:track>
    <x:track>
      <x:location>http://example.com/stream</x:location>
      <x:location><![CDATA[./R&B/c.mp3]]></x:location>
    </x:track>
    <x:track><x:title>no location</x:title></x:track>
    <x:track><x:location>./&#x66F2;&amp;&#38;.mp3</x:location><x:extension application="u"><location>inner</location></x:extension></x:track>
    <x:track/>
  </x:trackList>
</x:playlist>)";
    const std::vector<Texts> tracks = ParseXspfLocations(xml);
    EXPECT_EQ(tracks, (std::vector<Texts>{{"file:///a%20b.mp3"},
                                          {"http://example.com/stream", "./R&B/c.mp3"},
                                          {},
                                          {"./曲&&.mp3"},
                                          {}}));
}

TEST(XspfFormatTest, MalformedInputGivesWhatWasReadBefore) {
    EXPECT_EQ(ParseXspfLocations("<playlist><trackList><track><location>file:///a.mp3</location>"
                                 "</track><track><location>file:///b"),
              (std::vector<Texts>{{"file:///a.mp3"}, {}}));
    EXPECT_TRUE(ParseXspfLocations("<playlist><trackList><!-- unterminated").empty());
    EXPECT_TRUE(ParseXspfLocations("</a></b><<<>>>").empty());
    EXPECT_TRUE(ParseXspfLocations("").empty());
}

TEST(XspfFormatTest, WritesOnlyValuesTheFormatAllows) {
    PlaylistEntry full;
    full.Location = "/m/曲 #1.mp3";
    full.Title = "Rock & <Roll>";
    full.Artist = "\"Band\"\x01";
    full.Album = "Album";
    full.TrackNum = "03/12";
    full.Seconds = 200;
    PlaylistEntry bare;
    bare.Location = "../b.mp3";
    bare.FileName = "b";
    bare.TrackNum = "0";
    EXPECT_EQ(BuildXspf({full, bare}), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">\n"
                                       "  <trackList>\n"
                                       "    <track>\n"
                                       "      <location>file:///m/%E6%9B%B2%20%231.mp3</location>\n"
                                       "      <title>Rock &amp; &lt;Roll&gt;</title>\n"
                                       "      <creator>&quot;Band&quot;</creator>\n"
                                       "      <album>Album</album>\n"
                                       "      <trackNum>3</trackNum>\n"
                                       "      <duration>200000</duration>\n"
                                       "    </track>\n"
                                       "    <track>\n"
                                       "      <location>../b.mp3</location>\n"
                                       "    </track>\n"
                                       "  </trackList>\n"
                                       "</playlist>\n")
        << "no title from the file name, no track 0, no unknown duration, no control bytes";
}

} // namespace
} // namespace torvane
