#include "core/listops/Search.h"
#include "ListOpsFixture.h"
#include "MpegFill.h"
#include "core/listops/Selection.h"

namespace torvane {
namespace {

using test::Texts;

using test::Tags;

SearchRequest Request(const std::string& text, TermCondition exclude = TermCondition::Contains,
                      SearchTarget target = SearchTarget::Path) {
    SearchRequest request;
    SplitSearchTerms(request, text);
    request.exclude = exclude;
    request.target = target;
    return request;
}

TEST(SearchTerms, SplitAtRunsOfBlanks) {
    SearchRequest request;
    SplitSearchTerms(request, "love  song");
    EXPECT_EQ(request.terms, (Texts{"love", "song"}));
    SplitSearchTerms(request, "Love  SONG\xC3\x89");
    EXPECT_EQ(request.terms, (Texts{"love", "song\xC3\x89"})) << "only A to Z lowered";
    EXPECT_EQ(request.text, "love  song\xC3\x89");
    SplitSearchTerms(request, "love ");
    EXPECT_EQ(request.terms, (Texts{"love", ""})) << "trailing blank";
    SplitSearchTerms(request, " love");
    EXPECT_EQ(request.terms, (Texts{"", "love"}));
    SplitSearchTerms(request, "");
    EXPECT_EQ(request.terms, (Texts{""}));
    SplitSearchTerms(request, "a\tb\xE3\x80\x80"
                              "c");
    EXPECT_EQ(request.terms.size(), 1u) << "only 0x20 separates";
}

TEST(SearchTerms, PartsAfterTheTenthAreIgnored) {
    SearchRequest request;
    request.extension = "mp3";
    request.sizeKB = 7;
    SplitSearchTerms(request, "a b c d e f g h i j k l");
    EXPECT_EQ(request.terms.size(), 10u);
    EXPECT_EQ(request.terms.back(), "j");
    EXPECT_EQ(request.text, "a b c d e f g h i j k l");
    EXPECT_EQ(request.extension, "mp3");
    EXPECT_EQ(request.sizeKB, 7);
    EXPECT_TRUE(MatchTerms("abcdefghij", request.terms, TermCondition::Contains))
        << "k and l do not count";
}

TEST(SearchTerms, MatchAllOrNone) {
    const auto terms = [](const std::string& text) { return Request(text).terms; };
    EXPECT_TRUE(MatchTerms("Song of LOVE", terms("love song"), TermCondition::Contains))
        << "any order, any case";
    EXPECT_FALSE(MatchTerms("Song of LOVE", terms("love tune"), TermCondition::Contains));
    EXPECT_FALSE(MatchTerms("Song of LOVE", terms("love tune"), TermCondition::Excludes));
    EXPECT_TRUE(MatchTerms("Tune", terms("love song"), TermCondition::Excludes));

    for (const char* text : {"anything", "love"})
        EXPECT_EQ(MatchTerms(text, terms("love "), TermCondition::Contains),
                  MatchTerms(text, terms("love"), TermCondition::Contains))
            << "a trailing blank changes nothing with contains";
    EXPECT_FALSE(MatchTerms("anything", terms("any "), TermCondition::Excludes))
        << "the empty term is always found";
    EXPECT_FALSE(MatchTerms("", terms(""), TermCondition::Excludes));
    EXPECT_TRUE(MatchTerms("", terms(""), TermCondition::Contains));

    EXPECT_TRUE(MatchTerms("\xEF\xBC\xA1", terms("\xEF\xBC\xA1"), TermCondition::Contains))
        << "full-width A as is";
    EXPECT_FALSE(MatchTerms("\xEF\xBC\xA1", terms("\xEF\xBD\x81"), TermCondition::Contains))
        << "no full-width folding";
    // A term that starts inside a character is not found there.
    EXPECT_FALSE(MatchTerms("\xE3\x81\x82", {"\x81\x82"}, TermCondition::Contains));
}

TEST(SearchConditions, BitRateSizeTimeAndExtension) {
    CListData vbr;
    vbr.SetPath("/m/a.mp3");
    AudioInfo info;
    info.BitRate = -1;
    test::FillAsMpeg(vbr, info);
    CListData fixed;
    fixed.SetPath("/m/b.ogg");
    info.BitRate = 128;
    info.SamplingRate = 44100;
    info.PlayTime = 210;
    test::FillAsMpeg(fixed, info);
    fixed.SetSize(1048576);

    SearchRequest request;
    request.useBitRate = true;
    request.bitRateAtMost = Bound::AtMost;
    EXPECT_TRUE(MatchConditions(vbr, request)) << "at most 0: variable bit rate only";
    EXPECT_FALSE(MatchConditions(fixed, request));
    request.bitRate = 128;
    EXPECT_TRUE(MatchConditions(vbr, request));
    EXPECT_TRUE(MatchConditions(fixed, request));
    request.bitRateAtMost = Bound::AtLeast;
    EXPECT_FALSE(MatchConditions(vbr, request));
    request.bitRate = 129;
    EXPECT_FALSE(MatchConditions(fixed, request));

    request = {};
    request.useSize = true;
    request.sizeKB = 1024;
    EXPECT_TRUE(MatchConditions(fixed, request)) << "1024 KB are 1048576 bytes";
    request.sizeKB = 1025;
    EXPECT_FALSE(MatchConditions(fixed, request));
    request.sizeKB = std::numeric_limits<int32_t>::max();
    request.sizeAtMost = Bound::AtMost;
    EXPECT_TRUE(MatchConditions(fixed, request)) << "the largest bound still compares in bytes";

    request = {};
    request.useTime = true;
    request.timeSec = 3 * 60 + 30;
    request.timeAtMost = Bound::AtMost;
    EXPECT_TRUE(MatchConditions(fixed, request));
    EXPECT_TRUE(MatchConditions(vbr, request)) << "a time never read is 0";
    request.useSamplingRate = true;
    request.samplingRate = 48000;
    EXPECT_FALSE(MatchConditions(fixed, request));

    request = {};
    request.useExtension = true;
    request.extension = "ogg";
    EXPECT_TRUE(MatchConditions(fixed, request));
    EXPECT_FALSE(MatchConditions(vbr, request));
}

TEST(SearchConditions, SearchTextByTarget) {
    CListData record;
    record.SetPath("/m/Love.mp3");
    AudioInfo info = Tags("T", "Ar", "Al");
    info.Std.Comment = "C";
    info.Ext.Title = "ExtT";
    info.TagFlags |= AudioInfo::TagId3v2;
    test::FillAsMpeg(record, info);
    const std::vector<std::string> expected{"/m/Love.mp3", "Love", "T", "Ar", "Al", "C", ""};
    for (int target = 0; target <= 6; ++target)
        EXPECT_EQ(GetSearchText(record, static_cast<SearchTarget>(target), TagMode::Standard),
                  expected[static_cast<size_t>(target)]);
    EXPECT_EQ(GetSearchText(record, SearchTarget::Title, TagMode::Extended), "ExtT")
        << "the tag display mode counts";
}

class SearchTest : public test::ListOpsTest {
protected:
    void AddSongs() {
        Add("/m/Love Song.mp3", Tags("a"));
        Add("/m/love letter.mp3", Tags("b"));
        Add("/m/Song of songs.mp3", Tags("c"));
        Add("/m/other.mp3", Tags("d"));
    }
};

TEST_F(SearchTest, NewSearchSwitchesToSearchModeAndNarrowingChains) {
    AddSongs();
    RunSearch(doc, Request("love"));
    EXPECT_EQ(doc.SearchMode(), true);
    EXPECT_EQ(Names(), (Texts{"Love Song", "love letter"}));
    EXPECT_EQ(view.CountText, " 2 件");
    EXPECT_EQ(host.ProgressOpened, host.ProgressClosed);

    // Narrowing twice: the records that pass all three searches; the all list is unchanged.
    SearchRequest narrow = Request("song", TermCondition::Contains, SearchTarget::FileName);
    narrow.source = SearchSource::SearchList;
    RunSearch(doc, narrow);
    EXPECT_EQ(doc.SearchMode(), true) << "stays in search mode";
    narrow = Request("letter", TermCondition::Excludes, SearchTarget::FileName);
    narrow.source = SearchSource::SearchList;
    RunSearch(doc, narrow);
    EXPECT_EQ(Names(), (Texts{"Love Song"}));
    EXPECT_EQ(doc.AllList().size(), 4u);
    EXPECT_EQ(doc.AllList()[0]->RefCount(), 2);
    EXPECT_EQ(doc.AllList()[1]->RefCount(), 1) << "released when its result was replaced";

    RunSearch(doc, Request("love song", TermCondition::Excludes));
    EXPECT_EQ(Names(), (Texts{"other"}));
    RunSearch(doc, Request("love ", TermCondition::Excludes));
    EXPECT_TRUE(doc.CurrentList().empty()) << "a trailing blank with NOT passes nothing";
}

// A narrowed record held only by the search list survives its own search's replacement.
TEST_F(SearchTest, NarrowingKeepsRecordsOnlyTheSearchListHolds) {
    AddSongs();
    RunSearch(doc, Request("song"));
    RemoveRows(doc, doc.AllList(), SelectAll(4).Rows);
    SearchRequest narrow = Request("love");
    narrow.source = SearchSource::SearchList;
    RunSearch(doc, narrow);
    ASSERT_EQ(Names(), (Texts{"Love Song"}));
    EXPECT_EQ(doc.SearchList()[0]->RefCount(), 1);
    EXPECT_EQ(doc.SearchList()[0]->GetTitle(TagMode::Standard), "a");
}

TEST_F(SearchTest, ExistenceIsAskedOfTheFileSystem) {
    Add(dir.Write("here.mp3", "x"));
    Add(dir / "gone.mp3");
    std::filesystem::create_directory(dir / "folder");
    Add(dir / "folder");

    SearchRequest request = Request("");
    request.existence = FileExistence::Missing;
    RunSearch(doc, request);
    EXPECT_EQ(Names(), (Texts{"gone"}));
    request.existence = FileExistence::Exists;
    RunSearch(doc, request);
    EXPECT_EQ(Names(), (Texts{"here", "folder"})) << "a folder exists";
    request.exclude = TermCondition::Excludes;
    RunSearch(doc, request);
    EXPECT_TRUE(Names().empty()) << "NOT with an empty term passes nothing";
}

TEST_F(SearchTest, ToggleAndAddToTheOtherList) {
    AddSongs();
    view.Selection = {1, 2};
    AddSelectionToOtherList(doc, view.Selection);
    AddSelectionToOtherList(doc, view.Selection);
    EXPECT_EQ(Names(doc.SearchList()),
              (Texts{"love letter", "Song of songs", "love letter", "Song of songs"}));
    EXPECT_EQ(doc.AllList()[1]->RefCount(), 3);

    ToggleSearchMode(doc);
    EXPECT_EQ(doc.SearchMode(), true);
    EXPECT_EQ(view.CountText, " 4 件");
    EXPECT_TRUE(view.Selection.empty());
    EXPECT_EQ(view.SelectionUpdates, 1);

    AddSelectionToOtherList(doc, std::vector<int>{3});
    EXPECT_EQ(Names(doc.AllList()).back(), "Song of songs") << "search mode adds to the all list";
    ToggleSearchMode(doc);
    EXPECT_EQ(doc.SearchMode(), false);
    EXPECT_EQ(view.CountText, " 5 件");
    EXPECT_EQ(doc.SearchList().size(), 4u) << "the search list keeps its contents";
}

} // namespace
} // namespace torvane
