#include "core/doc/TorvaneDoc.h"
#include "Fakes.h"
#include "core/media/MpegReader.h"
#include "core/settings/Profile.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

class TorvaneDocTest : public ::testing::Test {
protected:
    CProfile profile;
    test::CFakeHost host;
    test::CFakeView view;
    test::CTempDir dir;
};

TEST_F(TorvaneDocTest, FirstStartDefaults) {
    CTorvaneDoc doc(profile, host);
    const DocSettings& s = doc.Settings();
    EXPECT_EQ(s.SizeOf, SizeUnit::KB);
    EXPECT_EQ(s.TimeOf, TimeUnit::Clock);
    EXPECT_EQ(s.TagOf, TagMode::Standard);
    EXPECT_EQ(s.readtag, DocSettings::ReadSizes);
    EXPECT_EQ(s.SearchClass, 0);
    EXPECT_EQ(s.CloseSave, false);
    EXPECT_EQ(s.TagCodePage, "auto") << "the code page decided per file, Japanese preferred";
    EXPECT_EQ(s.ExtendedM3U, false) << "plain .m3u files unless asked";
    EXPECT_EQ(s.PlaylistCodePage, "UTF-8");
    EXPECT_EQ(doc.SearchMode(), false);
    EXPECT_EQ(&doc.CurrentList(), &doc.AllList());
    EXPECT_TRUE(doc.Extensions().IsKnownExtension("ogg"));
}

TEST_F(TorvaneDocTest, WritesSettingsInTheirOrderAtDestruction) {
    profile.Parse("[app]\nSizeOf=1\nrelative_root=/base\nrowselect=1\nExtendedM3U=1\n");
    {
        CTorvaneDoc doc(profile, host);
        EXPECT_EQ(doc.Settings().SizeOf, SizeUnit::MB);
        EXPECT_EQ(doc.Settings().ExtendedM3U, true);
        doc.Settings().TimeOf = TimeUnit::Minutes;
    }
    EXPECT_EQ(profile.ToText(), "[app]\nSizeOf=1\nrelative_root=/base\nrowselect=1\n"
                                "ExtendedM3U=1\nreadtag=2\nTimeOf=2\nTagOf=0\nCloseSave=0\n"
                                "SearchClass=0\nrelative=0\nDisNum=0\nTagCodePage=auto\n"
                                "TagDetection=1\nPlaylistCodePage=UTF-8\nReadThreads=0\n\n"
                                "[ext]\n0=aif,1,\n1=aiff,1,\n2=flac,1,\n3=m4a,1,\n4=mp3,1,\n"
                                "5=ogg,1,\n6=opus,1,\n7=wav,1,\n8=wma,1,\ncount=9\n\n");

    CProfile fresh;
    { CTorvaneDoc doc(fresh, host); }
    EXPECT_EQ(fresh.ToText().substr(0, 60),
              "[app]\nreadtag=2\nSizeOf=0\nTimeOf=0\nTagOf=0\nCloseSave=0\nSearch");
}

// Earlier versions wrote their default CP932 into every profile: such a profile now detects
// (preferring CP932); once written by this version, a CP932 there is the user's and forces it.
TEST_F(TorvaneDocTest, TheOldDefaultCodePageBecomesAutomaticOnce) {
    profile.Parse("[app]\nTagCodePage=CP932\n");
    {
        CTorvaneDoc doc(profile, host);
        EXPECT_EQ(doc.Settings().TagCodePage, "auto");
    }
    EXPECT_EQ(profile.GetString(CTorvaneDoc::AppSection, "TagCodePage"), "auto");
    profile.SetString(CTorvaneDoc::AppSection, "TagCodePage", "CP932");
    EXPECT_EQ(CTorvaneDoc(profile, host).Settings().TagCodePage, "CP932");

    CProfile other;
    other.Parse("[app]\nTagCodePage=CP1251\n");
    EXPECT_EQ(CTorvaneDoc::StoredTagCodePage(other), "CP1251") << "any other choice stands";
}

// Each display choice a profile holds means what it meant and is written back as the same
// number.
TEST_F(TorvaneDocTest, DisplayChoicesKeepTheirNumbersAndMeanings) {
    AudioInfo info;
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    info.Std.Title = "standard";
    info.Ext.Title = "extended";
    info.PlayTime = 205;
    FinishMpegInfo(info);
    CListData record;
    record.SetPath("/m/a.mp3");
    record.FillFrom(info);
    record.SetSize(1048576);
    const struct {
        const char* key;
        int value;
        ColumnKey column;
        const char* text;
    } cases[] = {
        {"SizeOf", 0, ColSize, "1,024.0 kB"}, {"SizeOf", 1, ColSize, "1.0 MB"},
        {"TimeOf", 0, ColTime, "03:25"},      {"TimeOf", 1, ColTime, "205 sec"},
        {"TimeOf", 2, ColTime, "3.4 min"},    {"TagOf", 0, ColTitle, "standard"},
        {"TagOf", 1, ColTitle, "extended"},
    };
    for (const auto& c : cases) {
        CProfile stored;
        stored.SetInt(CTorvaneDoc::AppSection, c.key, c.value);
        {
            CTorvaneDoc doc(stored, host);
            EXPECT_EQ(ColumnText(record, c.column, doc.Settings().Units()), c.text) << c.key;
        }
        EXPECT_EQ(stored.GetInt(CTorvaneDoc::AppSection, c.key, -1), c.value) << c.key;
    }
}

// An on/off key is on for any number but 0, as edited by hand; the program writes 1 for on.
TEST_F(TorvaneDocTest, OnOffKeysAreOnForAnyNumberButZero) {
    profile.Parse("[app]\nDisNum=5\nCloseSave=-1\nrelative=0\nExtendedM3U=2147483647\n");
    {
        CTorvaneDoc doc(profile, host);
        EXPECT_TRUE(doc.Settings().DisNum);
        EXPECT_TRUE(doc.Settings().CloseSave);
        EXPECT_FALSE(doc.Settings().relative);
        EXPECT_TRUE(doc.Settings().ExtendedM3U);
    }
    EXPECT_EQ(profile.GetInt("app", "DisNum", -1), 1);
    EXPECT_EQ(profile.GetInt("app", "CloseSave", -1), 1);
    EXPECT_EQ(profile.GetInt("app", "relative", -1), 0);
    EXPECT_EQ(profile.GetInt("app", "ExtendedM3U", -1), 1);
}

TEST_F(TorvaneDocTest, AddFileTrimsQuotesAndRefuses) {
    CTorvaneDoc doc(profile, host);
    doc.Settings().readtag = 0;
    EXPECT_TRUE(doc.AddFile("  \t\"/music/a b.mp3\" \t", true));
    ASSERT_EQ(doc.AllList().size(), 1u);
    EXPECT_EQ(doc.AllList()[0]->FilePath(), "/music/a b.mp3");
    EXPECT_EQ(doc.AllList()[0]->RefCount(), 1);

    EXPECT_FALSE(doc.AddFile("song.mp3", true)) << "no folder part";
    EXPECT_FALSE(doc.AddFile("song.mp3", false)) << "no folder part, even unchecked";
    EXPECT_FALSE(doc.AddFile("/music/album/", false)) << "a folder";
    EXPECT_FALSE(doc.AddFile("/music/readme", true)) << "no extension";
    EXPECT_FALSE(doc.AddFile("/music/a.ape", true)) << "not registered";
    EXPECT_FALSE(doc.AddFile("/music.d/readme", true)) << "a folder's dot is no extension";
    EXPECT_FALSE(doc.AddFile(std::string(5000, '/') + "a.mp3", true)) << "longer than PATH_MAX";
    EXPECT_TRUE(doc.AddFile("/music/LOUD.MP3", true));
    EXPECT_TRUE(doc.AddFile("./relative.ogg", true));

    EXPECT_TRUE(doc.AddFile("/music/a b.mp3", true)) << "no duplicate test";
    EXPECT_EQ(doc.AllList().size(), 4u);
    EXPECT_NE(doc.AllList()[0], doc.AllList()[3]);
    EXPECT_EQ(doc.ShownCount(), 4) << "counted, though the view is told only later";
}

TEST_F(TorvaneDocTest, AddFileWithoutExtensionCheck) {
    CTorvaneDoc doc(profile, host);
    EXPECT_TRUE(doc.AddFile("/music/noext", false));
    EXPECT_EQ(doc.AllList()[0]->IconIndex(), 0);
    EXPECT_TRUE(doc.IconMap().empty()) << "no extension, no icon lookup";
    EXPECT_TRUE(host.IconRequests.empty());
}

TEST_F(TorvaneDocTest, IconsAreLookedUpOncePerExtension) {
    host.IconsFor = {"ogg"};
    CTorvaneDoc doc(profile, host);
    doc.Settings().readtag = 0;
    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    ASSERT_TRUE(doc.AddFile("/m/b.ogg", true));
    ASSERT_TRUE(doc.AddFile("/m/c.MP3", true));
    ASSERT_TRUE(doc.AddFile("/m/d.ogg", true));
    const std::vector<std::pair<std::string, int>> expected{{"mp3", 1}, {"ogg", 2}};
    EXPECT_EQ(host.IconRequests, expected);
    EXPECT_EQ(doc.AllList()[0]->IconIndex(), 0) << "no icon maps to the default";
    EXPECT_EQ(doc.AllList()[1]->IconIndex(), 2) << "the image list grew for the failed one too";
    EXPECT_EQ(doc.AllList()[2]->IconIndex(), 0);
    EXPECT_EQ(doc.AllList()[3]->IconIndex(), 2);
    EXPECT_EQ(doc.ImageCount(), 3);
}

TEST_F(TorvaneDocTest, ReadOnLoadBits) {
    const std::string path = dir.Write("a.flac", std::string(2048, 'x'));
    profile.Parse("[ext]\ncount=1\n0=flac,1,\n");
    CTorvaneDoc doc(profile, host);
    for (int bits : {0, 2, 3}) {
        doc.Settings().readtag = bits;
        ASSERT_TRUE(doc.AddFile(path, true));
    }
    const TrackList& list = doc.AllList();
    EXPECT_EQ(list[0]->Size(), 0);
    EXPECT_EQ(list[0]->State(), 0u);
    EXPECT_EQ(list[1]->GetSizeText(SizeUnit::KB), "2.0 kB");
    EXPECT_EQ(list[2]->Size(), 2048);
    EXPECT_TRUE(list[2]->Has(CListData::SizeRead));

    doc.Settings().readtag = 1;
    ASSERT_TRUE(doc.AddFile(dir / "missing.mp3", true));
    EXPECT_TRUE(list[3]->Has(CListData::Missing));
    EXPECT_EQ(list[3]->GetSizeText(SizeUnit::KB), "--");
}

TEST_F(TorvaneDocTest, SharedRecordsAreDeletedAfterTheirLastSlot) {
    CTorvaneDoc doc(profile, host);
    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    ASSERT_TRUE(doc.AddFile("/m/b.mp3", true));
    CListData* shared = doc.AllList()[0];
    shared->AddRef();
    doc.SearchList().push_back(shared);
    doc.AllList()[1]->AddRef();
    doc.SearchList().push_back(doc.AllList()[1]);

    doc.ReleaseItem(doc.AllList(), 0);
    EXPECT_EQ(doc.AllList()[0], shared) << "the slot keeps a record that lives on";
    doc.AllList().erase(doc.AllList().begin());
    EXPECT_EQ(shared->RefCount(), 1);
    EXPECT_EQ(shared->FilePath(), "/m/a.mp3");

    doc.ReleaseItem(doc.SearchList(), 0);
    EXPECT_EQ(doc.SearchList()[0], nullptr) << "deleted with its last slot";
    doc.ReleaseItem(doc.SearchList(), 0); // an empty slot is skipped
    doc.ReleaseItem(doc.SearchList(), 7); // so is an index past the end
    doc.SearchList().erase(doc.SearchList().begin());
    // b stays in both lists: the destructor deletes it once (the sanitizers would see twice).
}

TEST_F(TorvaneDocTest, UpdateItemCountAndClearInSearchMode) {
    CTorvaneDoc doc(profile, host);
    doc.UpdateItemCount(); // no view yet: nothing
    EXPECT_TRUE(view.CountHistory.empty());
    ASSERT_TRUE(doc.SetView(&view));
    EXPECT_FALSE(doc.SetView(nullptr));

    doc.ClearCurrentList(); // empty view: nothing
    EXPECT_TRUE(view.CountHistory.empty());

    ASSERT_TRUE(doc.AddFile("/m/a.mp3", true));
    ASSERT_TRUE(doc.AddFile("/m/b.mp3", true));
    doc.UpdateItemCount();
    EXPECT_EQ(view.Count, 2);
    EXPECT_EQ(view.CountText, " 2 件");

    for (CListData* record : doc.AllList()) {
        record->AddRef();
        doc.SearchList().push_back(record);
    }
    doc.SetSearchMode(true);
    doc.UpdateItemCount();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.SearchList().empty());
    ASSERT_EQ(doc.AllList().size(), 2u) << "the all list and its records stay";
    EXPECT_EQ(doc.AllList()[1]->RefCount(), 1);
    EXPECT_EQ(view.CountText, " 0 件");
    EXPECT_EQ(doc.ShownCount(), 0);
    EXPECT_EQ(view.SelectionUpdates, 1);

    doc.SetSearchMode(false);
    ASSERT_TRUE(doc.AddFile("/m/c.mp3", true));
    EXPECT_EQ(doc.AllList().size(), 3u) << "added to the current list";
}

} // namespace
} // namespace torvane
