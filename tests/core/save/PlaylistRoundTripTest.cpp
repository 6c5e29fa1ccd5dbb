#include "DocFixture.h"
#include "core/gather/ListFileReader.h"
#include "core/save/PlaylistWriter.h"

namespace torvane {
namespace {

using test::Texts;

// Names that break a writer or reader that forgets to encode, escape or decode: Japanese
// (and a character only CP932 has), blanks, "#" (a comment or a URI fragment), "%" (an
// escape) and "&" (an XML entity).
const Texts Names = {"音楽/曲 #1 100% & more①.mp3", "音楽/sub dir/b&c#.ogg", "other/x%41 y.wav",
                     "top.mp3"};

class PlaylistRoundTripTest : public test::DocTest {
protected:
    PlaylistRoundTripTest() {
        for (const std::string& name : Names)
            dir.Write(name, "");
    }

    // Writes the gathered names to lists/NAME, relative to the list's folder or not, and reads
    // the list back into an empty list.
    Texts RoundTrip(const std::string& name, bool relative) {
        Clear();
        for (const std::string& entry : Names)
            EXPECT_TRUE(doc.AddFile(dir / entry, true)) << entry;
        doc.UpdateItemCount();
        const std::string path = dir / ("lists/" + name);
        dir.Write("lists/" + name, "");
        const SaveChoice choice{path, relative, dir / "lists", ""};
        EXPECT_TRUE(SaveList(doc, choice)) << name;
        Clear();
        EXPECT_TRUE(ReadListFile(doc, path, nullptr, 100)) << name;
        return Paths();
    }
};

TEST_F(PlaylistRoundTripTest, EveryFormatGivesBackTheSameRecords) {
    for (const char* name : {"plain.m3u", "plain.txt", "list.m3u8", "list.pls", "list.xspf"}) {
        for (const bool relative : {false, true}) {
            SCOPED_TRACE(std::string(name) + (relative ? " relative" : " absolute"));
            EXPECT_EQ(RoundTrip(name, relative), Names);
        }
    }
    doc.Settings().ExtendedM3U = true;
    EXPECT_EQ(RoundTrip("extended.m3u", true), Names);
}

TEST_F(PlaylistRoundTripTest, Cp932ListsReadBackWithTheLegacyCodePage) {
    doc.Settings().PlaylistCodePage = "CP932";
    for (const char* name : {"legacy.m3u", "legacy.txt"}) {
        for (const bool relative : {false, true}) {
            SCOPED_TRACE(std::string(name) + (relative ? " relative" : " absolute"));
            EXPECT_EQ(RoundTrip(name, relative), Names);
            EXPECT_FALSE(CTextCodec::IsValidUtf8(dir.Read(std::string("lists/") + name)))
                << "written in CP932, not UTF-8";
        }
    }
}

TEST_F(PlaylistRoundTripTest, ListsOfOtherPlayers) {
    dir.Write("lists/other.pls", "[playlist]\n"
                                 "File1=http://radio.example.com/stream.mp3\n"
                                 "File2=file:///" +
                                     dir.Path().substr(1) +
                                     "/top.mp3\n"
                                     "File3=../%E9%9F%B3%E6%A5%BD/missing.mp3\n"
                                     "File4=\"../other/x%41 y.wav\"\n"
                                     "File5=self.xspf\n");
    dir.Write("lists/self.xspf", "\xEF\xBB\xBF<playlist version=\"1\"><trackList>"
                                 "<track><location>other.pls</location></track>"
                                 "<track><location>../top.mp3</location></track>"
                                 "</trackList></playlist>");
    ASSERT_TRUE(ReadListFile(doc, dir / "lists/other.pls", nullptr, 100));
    EXPECT_EQ(Paths(),
              (Texts{"top.mp3", "%E9%9F%B3%E6%A5%BD/missing.mp3", "other/x%41 y.wav", "top.mp3"}))
        << "streams are left out; a path in a .pls is a path, not a URI, and is taken from "
           "the list's folder even when missing; the lists do not read each other twice";
}

} // namespace
} // namespace torvane
