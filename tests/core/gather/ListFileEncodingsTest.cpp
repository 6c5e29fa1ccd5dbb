#include "DocFixture.h"
#include "core/base/TextCodec.h"
#include "core/gather/ListFileReader.h"

namespace torvane {
namespace {

using test::Texts;

std::string Bytes(std::string_view utf8, const char* codePage) {
    std::string out;
    EXPECT_TRUE(CTextCodec::ToEncoding(utf8, codePage, out)) << utf8 << " in " << codePage;
    return out;
}

// Lists written on Chinese, Russian or Japanese Windows name the files of a UTF-8 system: each
// list's code page is decided from all its lines, so the files are found.
class ListFileEncodingsTest : public test::DocTest {
protected:
    bool Read(const std::string& name) { return ReadListFile(doc, dir / name, nullptr, 100); }

    // A list of the names, one per line with CR LF, in the code page.
    void WriteList(const std::string& name, const std::vector<std::string>& names,
                   const char* codePage) {
        std::string text = "#EXTM3U\r\n";
        for (const std::string& entry : names)
            text += Bytes(entry, codePage) + "\r\n";
        dir.Write(name, text);
    }
};

TEST_F(ListFileEncodingsTest, EachListIsReadInItsOwnCodePage) {
    Touch({"邓丽君/甜蜜蜜.mp3", "邓丽君/月亮代表我的心.mp3", "Кино/Я.mp3", "Кино/Кукушка.mp3",
           "曲/ﾃｽﾄ曲①.mp3", "曲/夜に駆ける.mp3"});
    WriteList("chinese.m3u", {"邓丽君/甜蜜蜜.mp3", "邓丽君/月亮代表我的心.mp3"}, "GBK");
    ASSERT_TRUE(Read("chinese.m3u"));
    EXPECT_EQ(Paths(), (Texts{"邓丽君/甜蜜蜜.mp3", "邓丽君/月亮代表我的心.mp3"}));

    Clear();
    WriteList("russian.txt", {"Кино/Я.mp3", "Кино/Кукушка.mp3"}, "CP1251");
    ASSERT_TRUE(Read("russian.txt"));
    EXPECT_EQ(Paths(), (Texts{"Кино/Я.mp3", "Кино/Кукушка.mp3"}));

    Clear();
    WriteList("japanese.m3u", {"曲/ﾃｽﾄ曲①.mp3", "曲/夜に駆ける.mp3"}, "CP932");
    ASSERT_TRUE(Read("japanese.m3u"));
    EXPECT_EQ(Paths(), (Texts{"曲/ﾃｽﾄ曲①.mp3", "曲/夜に駆ける.mp3"}));

    Clear();
    dir.Write("chinese.pls", "[playlist]\r\nFile1=" + Bytes("邓丽君/甜蜜蜜.mp3", "GBK") +
                                 "\r\nNumberOfEntries=1\r\n");
    ASSERT_TRUE(Read("chinese.pls"));
    EXPECT_EQ(Paths(), (Texts{"邓丽君/甜蜜蜜.mp3"}));
}

// Lines whose bytes name an existing file as they stand take no part in the decision: a list of
// Linux names that are not UTF-8 does not drag its other lines into a wrong code page.
TEST_F(ListFileEncodingsTest, LinesTakenAsWrittenDoNotDecide) {
    Touch({"\xC3\xF0\xF3\xEF\xEF\xE0.mp3", "Кукушка.mp3"});
    dir.Write("mixed.m3u",
              "\xC3\xF0\xF3\xEF\xEF\xE0.mp3\n" + Bytes("Кукушка.mp3", "CP1251") + "\n");
    ASSERT_TRUE(Read("mixed.m3u"));
    EXPECT_EQ(Paths(), (Texts{"\xC3\xF0\xF3\xEF\xEF\xE0.mp3", "Кукушка.mp3"}));
}

} // namespace
} // namespace torvane
